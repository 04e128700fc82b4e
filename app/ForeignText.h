#pragma once
// The text commands work on Windows-1251 bytes, but the document may hold characters that code
// page lacks (Chinese, Greek, emoji…). These run a byte transform over such text so that those
// characters come through unchanged instead of turning into "?".

#include <QString>
#include <functional>
#include <optional>
#include <string>

using ByteTransform = std::function<std::optional<std::string>(const std::string &)>;

// True when some character of `text` has no Windows-1251 byte (paragraph breaks and embedded
// objects do not count).
bool hasForeignCharacters(const QString &text);

// Transforms each stretch between foreign characters on its own; the foreign characters stay in
// their places. No value when the transform refuses a stretch.
std::optional<QString> transformStretches(const QString &text, const ByteTransform &transform);

// For transforms that reorder whole lines (sorting): the lines are transformed together and every
// line of the result is mapped back to the original line it came from.
std::optional<QString> transformLines(const QString &text, const ByteTransform &transform);
