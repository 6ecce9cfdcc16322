#pragma once
// The value types that configure a timecode entry field and report what it did with a
// key press or a paste.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "timecode/timecode.h"
#include "timecode_ui/key_equivalent.h"
#include "timecode_ui/raw_text_enum.h"

namespace tallyvane {

struct TimecodeField {
    enum class InputStyle : std::uint8_t { autoAdvance, continuousWithinComponent, unbounded };
    enum class InputWrapping : std::uint8_t { noWrap, wrap };
    enum class PastePolicy : std::uint8_t { preserveLocalProperties, allowNewProperties, discardProperties };
    enum class ValidationPolicy : std::uint8_t { allowInvalid, enforceValid };

    struct KeyResult {
        enum class Result : std::uint8_t { handled, ignored, performEscapeAction, performReturnAction };
        enum class FocusResult : std::uint8_t { focusPreviousComponent, focusNextComponent };
        enum class Reason : std::uint8_t { invalid, undefinedKey };

        Result result = Result::handled;
        std::optional<FocusResult> updateFocus;
        std::optional<Reason> rejection;

        // "<handled focusNextComponent>"
        std::string description() const;
        // "KeyResult<handled focusNextComponent>"
        std::string debugDescription() const;

        friend bool operator==(const KeyResult&, const KeyResult&) = default;
    };

    class FieldAction {
    public:
        static FieldAction resetComponentFocus(std::optional<Timecode::Component> component = std::nullopt) {
            return FieldAction(Kind::resetComponentFocus, component);
        }
        static FieldAction endEditing() { return FieldAction(Kind::endEditing, std::nullopt); }
        static FieldAction focusNextComponent() { return FieldAction(Kind::focusNextComponent, std::nullopt); }

        // endEditing, focusNextComponent, then a focus reset to each component in order.
        static const std::array<FieldAction, 8>& allCases();
        // The first of allCases with this raw text; a reset without a component has no
        // case of its own and so cannot be read back.
        static std::optional<FieldAction> fromRawValue(std::string_view text);

        bool isResetComponentFocus() const { return kind_ == Kind::resetComponentFocus; }
        bool isEndEditing() const { return kind_ == Kind::endEditing; }
        bool isFocusNextComponent() const { return kind_ == Kind::focusNextComponent; }
        // The component a reset focuses; absent for the first visible one.
        std::optional<Timecode::Component> component() const { return component_; }

        // "resetComponentFocus", "resetComponentFocus-to-hours", "endEditing", "focusNextComponent".
        std::string rawValue() const;
        std::string id() const { return rawValue(); }

        friend bool operator==(const FieldAction& a, const FieldAction& b) { return a.rawValue() == b.rawValue(); }

    private:
        enum class Kind : std::uint8_t { resetComponentFocus, endEditing, focusNextComponent };
        FieldAction(Kind kind, std::optional<Timecode::Component> component) : kind_(kind), component_(component) {}
        Kind kind_;
        std::optional<Timecode::Component> component_;
    };

    // What was rejected.
    class UserAction {
    public:
        static UserAction keyRejected(Timecode::Component component, KeyEquivalent key, KeyResult::Reason reason) {
            return UserAction(KeyRejection{component, key, reason});
        }
        static UserAction pasteRejected() { return UserAction(PasteRejection{}); }

        struct KeyRejection {
            Timecode::Component component;
            KeyEquivalent key;
            KeyResult::Reason reason;
            friend bool operator==(const KeyRejection&, const KeyRejection&) = default;
        };
        struct PasteRejection {
            friend bool operator==(const PasteRejection&, const PasteRejection&) = default;
        };

        bool isPasteRejected() const { return std::holds_alternative<PasteRejection>(value_); }
        // Absent for a rejected paste.
        std::optional<KeyRejection> keyRejection() const;

        friend bool operator==(const UserAction&, const UserAction&) = default;

    private:
        explicit UserAction(std::variant<KeyRejection, PasteRejection> value) : value_(value) {}
        std::variant<KeyRejection, PasteRejection> value_;
    };

    enum class RejectionAnimation : std::uint8_t { shake, pulse };

    // How a field reacts to rejected input. The two validation-based kinds beep (and
    // animate when given an animation) for every rejection; custom hands the rejection
    // to the caller instead.
    class InputRejectionFeedback {
    public:
        using Handler = std::function<void(const UserAction&)>;

        static InputRejectionFeedback validationBased(std::optional<RejectionAnimation> animation) {
            return InputRejectionFeedback(Kind::validationBased, animation, {});
        }
        static InputRejectionFeedback validationBasedAndUndefinedKeys(std::optional<RejectionAnimation> animation) {
            return InputRejectionFeedback(Kind::validationBasedAndUndefinedKeys, animation, {});
        }
        static InputRejectionFeedback custom(Handler handler) {
            return InputRejectionFeedback(Kind::custom, std::nullopt, std::move(handler));
        }

        bool isCustom() const { return kind_ == Kind::custom; }
        std::optional<RejectionAnimation> animation() const { return animation_; }
        const Handler& handler() const { return handler_; }

    private:
        enum class Kind : std::uint8_t { validationBased, validationBasedAndUndefinedKeys, custom };
        InputRejectionFeedback(Kind kind, std::optional<RejectionAnimation> animation, Handler handler)
            : kind_(kind), animation_(animation), handler_(std::move(handler)) {}
        Kind kind_;
        std::optional<RejectionAnimation> animation_;
        Handler handler_;
    };

    // The outcome of one paste.
    class PasteValidationResult {
    public:
        static PasteValidationResult allowed(const Timecode& timecode) { return PasteValidationResult(timecode); }
        static PasteValidationResult rejected(const UserAction& action) { return PasteValidationResult(action); }

        const Timecode* allowedTimecode() const { return std::get_if<Timecode>(&value_); }
        const UserAction* rejection() const { return std::get_if<UserAction>(&value_); }

        // Allowed results are equal when their timecodes are.
        friend bool operator==(const PasteValidationResult& a, const PasteValidationResult& b);

    private:
        explicit PasteValidationResult(std::variant<Timecode, UserAction> value) : value_(std::move(value)) {}
        std::variant<Timecode, UserAction> value_;
    };
};

// A timecode loaded from a paste, or why it could not be.
struct TimecodePasteFailure {
    std::string message;
};
using TimecodePasteResult = std::variant<Timecode, TimecodePasteFailure>;

// Called with the outcome of a paste.
struct TimecodePasteAction {
    std::function<void(const TimecodePasteResult&)> action;
};

template <>
struct RawTextCases<TimecodeField::InputStyle> {
    using E = TimecodeField::InputStyle;
    static constexpr std::array<std::pair<E, std::string_view>, 3> table{{
        {E::autoAdvance, "autoAdvance"},
        {E::continuousWithinComponent, "continuousWithinComponent"},
        {E::unbounded, "unbounded"},
    }};
};

template <>
struct RawTextCases<TimecodeField::InputWrapping> {
    using E = TimecodeField::InputWrapping;
    static constexpr std::array<std::pair<E, std::string_view>, 2> table{{{E::noWrap, "noWrap"}, {E::wrap, "wrap"}}};
};

template <>
struct RawTextCases<TimecodeField::PastePolicy> {
    using E = TimecodeField::PastePolicy;
    static constexpr std::array<std::pair<E, std::string_view>, 3> table{{
        {E::preserveLocalProperties, "preserveLocalProperties"},
        {E::allowNewProperties, "allowNewProperties"},
        {E::discardProperties, "discardProperties"},
    }};
};

template <>
struct RawTextCases<TimecodeField::ValidationPolicy> {
    using E = TimecodeField::ValidationPolicy;
    static constexpr std::array<std::pair<E, std::string_view>, 2> table{{
        {E::allowInvalid, "allowInvalid"},
        {E::enforceValid, "enforceValid"},
    }};
};

template <>
struct RawTextCases<TimecodeField::KeyResult::Result> {
    using E = TimecodeField::KeyResult::Result;
    static constexpr std::array<std::pair<E, std::string_view>, 4> table{{
        {E::handled, "handled"},
        {E::ignored, "ignored"},
        {E::performEscapeAction, "performEscapeAction"},
        {E::performReturnAction, "performReturnAction"},
    }};
};

template <>
struct RawTextCases<TimecodeField::KeyResult::FocusResult> {
    using E = TimecodeField::KeyResult::FocusResult;
    static constexpr std::array<std::pair<E, std::string_view>, 2> table{{
        {E::focusPreviousComponent, "focusPreviousComponent"},
        {E::focusNextComponent, "focusNextComponent"},
    }};
};

template <>
struct RawTextCases<TimecodeField::KeyResult::Reason> {
    using E = TimecodeField::KeyResult::Reason;
    static constexpr std::array<std::pair<E, std::string_view>, 2> table{{
        {E::invalid, "invalid"},
        {E::undefinedKey, "undefinedKey"},
    }};
};

template <>
struct RawTextCases<TimecodeField::RejectionAnimation> {
    using E = TimecodeField::RejectionAnimation;
    static constexpr std::array<std::pair<E, std::string_view>, 2> table{{{E::shake, "shake"}, {E::pulse, "pulse"}}};
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::TimecodeField::KeyResult> {
    std::size_t operator()(const tallyvane::TimecodeField::KeyResult& r) const noexcept;
};

template <>
struct std::hash<tallyvane::TimecodeField::FieldAction> {
    std::size_t operator()(const tallyvane::TimecodeField::FieldAction& a) const noexcept {
        return std::hash<std::string>()(a.rawValue());
    }
};

template <>
struct std::hash<tallyvane::TimecodeField::UserAction> {
    std::size_t operator()(const tallyvane::TimecodeField::UserAction& a) const noexcept;
};

template <>
struct std::hash<tallyvane::TimecodeField::PasteValidationResult> {
    std::size_t operator()(const tallyvane::TimecodeField::PasteValidationResult& r) const noexcept;
};
