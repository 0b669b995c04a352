#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "outlook/automation.h"

namespace outlook::testing {

// An automation object that records what is put and called on it, in order, and fails
// the names it is told to fail with the text "<name> failed".
class RecordingDispatch : public Dispatch {
public:
    std::vector<std::string> log;
    std::map<std::string, Variant> properties;
    std::set<std::string> failing;
    std::map<std::string, Variant> results;

    Variant get(std::string_view property) override {
        const std::string name(property);
        log.push_back("get " + name);
        failIfAsked(name);
        return properties[name];
    }
    void put(std::string_view property, const Variant& value) override {
        const std::string name(property);
        log.push_back("put " + name);
        failIfAsked(name);
        properties[name] = value;
    }
    Variant call(std::string_view method, const Arguments& arguments) override {
        const std::string name(method);
        log.push_back("call " + name);
        calls.push_back({name, arguments});
        failIfAsked(name);
        return results[name];
    }

    struct Call {
        std::string method;
        Arguments arguments;
    };
    std::vector<Call> calls;

private:
    void failIfAsked(const std::string& name) {
        if (failing.count(name)) throw AutomationError(name + " failed");
    }
};

}  // namespace outlook::testing
