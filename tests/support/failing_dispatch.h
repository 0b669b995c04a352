#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "outlook/automation.h"

namespace outlook::testing {

// The names of properties, methods and programmatic ids that fail, shared by every object
// of one wrapped chain.
using FailingNames = std::shared_ptr<std::set<std::string>>;
// Methods answered in place of the real object, by name, shared the same way: a stand-in for
// what the real object does not offer.
using StandInAnswers = std::shared_ptr<std::map<std::string, DispatchPtr>>;

// A real Outlook object whose named properties and methods fail on demand, the way an
// Outlook that refuses a call does. Made with `wrapResults`, every object it hands out is
// wrapped by the same rule, so a failure can be placed anywhere along a chain of calls.
class FailingDispatch : public Dispatch {
public:
    explicit FailingDispatch(DispatchPtr real, bool wrapResults = false,
                             FailingNames failing = std::make_shared<std::set<std::string>>(),
                             StandInAnswers answers = nullptr)
        : real_(std::move(real)),
          wrapResults_(wrapResults),
          failing_(std::move(failing)),
          answers_(std::move(answers)) {}

    std::set<std::string>& failing() { return *failing_; }

    Variant get(std::string_view property) override {
        failIfAsked(property);
        return wrapped(real_->get(property));
    }
    void put(std::string_view property, const Variant& value) override {
        failIfAsked(property);
        real_->put(property, unwrapped(value));
    }
    Variant call(std::string_view method, const Arguments& arguments = {}) override {
        failIfAsked(method);
        if (answers_)
            if (const auto answer = answers_->find(std::string(method)); answer != answers_->end())
                return answer->second;
        Arguments real;
        for (const Variant& argument : arguments)
            real.push_back(unwrapped(argument));
        return wrapped(real_->call(method, real));
    }

private:
    // The store's objects take their object arguments back by their own type: a wrapped
    // object goes back as the object it wraps.
    static Variant unwrapped(const Variant& value) {
        if (value.type() != Variant::Type::Object || value.isNothing()) return value;
        const auto wrapper = std::dynamic_pointer_cast<FailingDispatch>(value.asObject());
        return wrapper ? Variant(wrapper->real_) : value;
    }
    void failIfAsked(std::string_view name) const {
        if (failing_->count(std::string(name)))
            throw AutomationError("Outlook refused '" + std::string(name) + "'");
    }
    Variant wrapped(Variant result) const {
        if (!wrapResults_ || result.isNothing() || result.type() != Variant::Type::Object)
            return result;
        return DispatchPtr(
            std::make_shared<FailingDispatch>(result.asObject(), true, failing_, answers_));
    }

    DispatchPtr real_;
    bool wrapResults_;
    FailingNames failing_;
    StandInAnswers answers_;
};

// An automation server whose objects fail by one shared set of names; creating an object
// whose programmatic id is in the set fails too.
class FailingAutomationServer : public AutomationServer {
public:
    explicit FailingAutomationServer(AutomationServer& real) : real_(real) {}

    std::set<std::string>& failing() { return *failing_; }
    std::map<std::string, DispatchPtr>& answers() { return *answers_; }

    DispatchPtr createObject(std::string_view progId) override {
        if (failing_->count(std::string(progId)))
            throw AutomationError("Cannot create '" + std::string(progId) + "'");
        return std::make_shared<FailingDispatch>(real_.createObject(progId), true, failing_,
                                                 answers_);
    }

private:
    AutomationServer& real_;
    FailingNames failing_ = std::make_shared<std::set<std::string>>();
    StandInAnswers answers_ = std::make_shared<std::map<std::string, DispatchPtr>>();
};

}  // namespace outlook::testing
