#pragma once

#include <cstdint>
#include <string>

namespace outlook {

// Where connecting reports its progress: the splash window, or nothing.
class TProgressBox {
public:
    virtual ~TProgressBox() = default;
    virtual void SetText(const std::string& text) = 0;
    virtual void SetMin(std::int32_t value) = 0;
    virtual void SetMax(std::int32_t value) = 0;
    virtual void SetPosition(std::int32_t value) = 0;
    virtual void SetStep(std::int32_t value) = 0;
    virtual void StepIt() = 0;
    virtual void StepBy(std::int32_t delta) = 0;
};

class TNoProgress : public TProgressBox {
public:
    void SetText(const std::string&) override {}
    void SetMin(std::int32_t) override {}
    void SetMax(std::int32_t) override {}
    void SetPosition(std::int32_t) override {}
    void SetStep(std::int32_t) override {}
    void StepIt() override {}
    void StepBy(std::int32_t) override {}
};

}  // namespace outlook
