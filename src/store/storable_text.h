#pragma once
// Characters a stored file cannot hold: code page 1252 has no byte for them.
// They are refused where a user types or pastes them, with one message.
#include "store/user_message.h"

#include <QString>

#include <optional>

namespace mv {

// The first character of the text that code page 1252 cannot hold (a
// character outside the basic plane whole, as an emoji), or nullopt.
// Control characters are not looked at here.
std::optional<QString> unholdableCharacter(const QString& text);

// "Tecknet '…' kan inte sparas!" (INMATNINGSFEL).
Message characterRefusal(const QString& character);

} // namespace mv
