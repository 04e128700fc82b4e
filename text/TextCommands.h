#pragma once
// The text commands by short name — one table shared by the editor's actions and `tavlen-cli text`,
// so both run the same transform for the same command.

#include "EConvertError.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

// The text a command made, or no value when the command refused its input (a number command on a
// text that is not a number of its base): the caller then changes nothing. A command may also give
// back its input unchanged, which is a result, not a refusal.
using TextCommandOutput = std::optional<std::string>;

struct TextCommand {
    std::string_view name;        // "uppercase": the action's name without "act", lower case
    std::string_view actionName;  // "actUpperCase"; "N48".."N55" for the number conversions
    std::string_view description; // one line for --help
    // Byte i of the result stands for byte i of the input, so the editor can replace characters in
    // place and keep their formatting.
    bool lengthPreserving;
    // Works on the whole document: the editor selects everything first.
    bool wholeDocument;
    // Enabled only while the selection is not empty.
    bool needsSelection;
    // May throw EConvertError (decimal sources that are not a 32-bit value).
    TextCommandOutput (*run)(const std::string &input);
};

std::span<const TextCommand> textCommands();

// The command of that exact name, or nullptr.
const TextCommand *findTextCommand(std::string_view name);
