#pragma once

#include <memory>

#include "outlook/local/explorer_model.h"
#include "tests/support/local_store_fixture.h"

namespace outlook::local::testing {

// A store in a temporary folder with the explorer's model over it, made when a test first
// asks for it and gone before the store closes.
class ExplorerModelFixture : public LocalStoreFixture {
protected:
    ExplorerModel& model() {
        if (!model_) model_ = std::make_unique<ExplorerModel>(outlook());
        return *model_;
    }
    void TearDown() override { model_.reset(); }

private:
    std::unique_ptr<ExplorerModel> model_;
};

}  // namespace outlook::local::testing
