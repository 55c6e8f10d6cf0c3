#include "app/field_checks.h"

#include <array>

#include "registry/variant.h"

namespace quorvel::app {
namespace {

using Kind = ValueBoxRule::Kind;

struct Row {
    ValueBoxes boxes;
    int index;
    ValueBoxRule rule;
};

// The defaults are the lower bounds, so that a box filled on entry passes its own check.
constexpr std::array<Row, 12> kRules = {{
    {ValueBoxes::Mail, 1, {Kind::Number, 1, 120, "1", true}},
    {ValueBoxes::Mail, 2, {Kind::IndentCharacter, 0, 0, ">", true}},
    {ValueBoxes::Mail, 3, {Kind::Number, 0, 60, "0", true}},
    {ValueBoxes::News, 1, {Kind::Number, 1, 120, "1", true}},
    {ValueBoxes::News, 2, {Kind::IndentCharacter, 0, 0, ">", true}},
    {ValueBoxes::News, 3, {Kind::Number, 0, 60, "0", true}},
    {ValueBoxes::News, 4, {Kind::Number, 50, 1000, "50", true}},
    {ValueBoxes::News, 5, {Kind::Number, 1, 999, "1", true}},
    {ValueBoxes::Server, 1, {Kind::Number, 10, 10000, "10", true}},
    {ValueBoxes::Server, 2, {Kind::Number, 1, 100, "1", true}},
    {ValueBoxes::Server, 3, {Kind::Number, 30, 300, "30", false}},
    {ValueBoxes::Server, 4, {Kind::Free, 0, 0, "110", false}},
}};

constexpr std::string_view kIndentMessage = "Must be one of the following characters  > or | or :";
constexpr std::string_view kNumericMessage = "This value must be numeric only";

std::string Whole(double bound) {
    return std::to_string(static_cast<long long>(bound));
}

// A decimal number as the user types it; the &H and &O forms are not decimal.
std::optional<double> DecimalNumber(std::string_view text) {
    if (text.find('&') != std::string_view::npos) {
        return std::nullopt;
    }
    return ParseNumber(text);
}

}  // namespace

std::optional<ValueBoxRule> RuleFor(ValueBoxes boxes, int index) {
    for (const Row& row : kRules) {
        if (row.boxes == boxes && row.index == index) {
            return row.rule;
        }
    }
    return std::nullopt;
}

std::string DefaultText(ValueBoxes boxes, int index) {
    const auto rule = RuleFor(boxes, index);
    return rule ? std::string(rule->defaultText) : std::string();
}

FieldVerdict CheckValueBox(ValueBoxes boxes, int index, std::string_view text, bool optionChecked) {
    const auto rule = RuleFor(boxes, index);
    if (!rule || rule->kind == Kind::Free || (rule->hasCheckBox && !optionChecked)) {
        return {};
    }
    if (rule->kind == Kind::IndentCharacter) {
        if (text == ">" || text == ":" || text == "|") {
            return {};
        }
        return {false, std::string(kIndentMessage), ">"};
    }
    double number = 0;  // an empty box counts as 0
    if (!text.empty()) {
        const auto parsed = DecimalNumber(text);
        if (!parsed) {
            return {false, std::string(kNumericMessage), Whole(rule->lower)};
        }
        number = *parsed;
    }
    if (number >= rule->lower && number <= rule->upper) {
        return {};
    }
    return {false,
            "This value must be between " + Whole(rule->lower) + " and " + Whole(rule->upper),
            Whole(rule->lower)};
}

}  // namespace quorvel::app
