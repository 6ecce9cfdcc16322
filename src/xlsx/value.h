#pragma once
// A typed cell value. A floating-point number makes a number and a text makes a string;
// the other kinds are made by name.

#include <chrono>
#include <concepts>
#include <string>

namespace tallyvane::xlsx {

class Value {
public:
    enum class Kind { url, comment, number, string, boolean, formula, datetime, blank };
    using Date = std::chrono::system_clock::time_point;

    Value(double number) : kind_(Kind::number), number_(number) {}
    Value(std::string text) : kind_(Kind::string), text_(std::move(text)) {}
    Value(const char* text) : kind_(Kind::string), text_(text != nullptr ? text : "") {}
    // A single character or Unicode scalar is a one-character text, not its code number;
    // a value that is no scalar becomes U+FFFD.
    template <typename C>
        requires std::same_as<C, char> || std::same_as<C, char32_t>
    Value(C character) : Value(characterText(character)) {}

    static Value url(std::string absoluteString) { return Value(Kind::url, std::move(absoluteString)); }
    static Value comment(std::string text) { return Value(Kind::comment, std::move(text)); }
    static Value number(double value) { return Value(value); }
    static Value string(std::string text) { return Value(std::move(text)); }
    static Value boolean(bool value);
    static Value formula(std::string text) { return Value(Kind::formula, std::move(text)); }
    static Value datetime(Date date);
    static Value blank() { return Value(Kind::blank, {}); }

    Kind kind() const { return kind_; }
    // The text of a url, comment, string or formula.
    const std::string& text() const { return text_; }
    // The number of a number, the serial day number of a datetime.
    double numberValue() const { return number_; }
    bool booleanValue() const { return boolean_; }

    friend bool operator==(const Value&, const Value&) = default;

private:
    Value(Kind kind, std::string text) : kind_(kind), text_(std::move(text)) {}
    static std::string characterText(char character) { return std::string(1, character); }
    static std::string characterText(char32_t scalar);

    Kind kind_;
    std::string text_;
    double number_ = 0.0;
    bool boolean_ = false;
};

// The spreadsheet's day number of a moment (1900 date system): 1 January 1970 00:00 UTC
// is 25569, each day after adds 1.
double serialDayNumber(Value::Date date);

}  // namespace tallyvane::xlsx
