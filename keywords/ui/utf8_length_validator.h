#pragma once

#include <QValidator>

namespace keywords::ui {

// Refuses a text longer than a number of bytes once written as UTF-8.
class Utf8LengthValidator : public QValidator {
public:
    Utf8LengthValidator(int maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}
    State validate(QString& input, int&) const override {
        return input.toUtf8().size() <= maxBytes_ ? Acceptable : Invalid;
    }

private:
    int maxBytes_;
};

}  // namespace keywords::ui
