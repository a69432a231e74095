#pragma once
// A message for the user, described as data so that engine code stays free of
// widgets: the page hands it to the toolkit's message box, a test records it.
#include <QString>

#include <functional>

namespace mv {

// Message-box result codes.
inline constexpr int answerNo = 1;
inline constexpr int answerIgnore = 2;
inline constexpr int answerRetry = 3;
inline constexpr int answerYes = 4;
inline constexpr int answerOk = 5;
inline constexpr int answerCancel = 6;

struct Message {
    QString title;
    QString text;
    QString icon;    // "STOP", "EXCLAMATION", "INFORMATION", "QUESTION" or "" (none)
    QString buttons; // "OK", "yes_NO", ... (the upper-case word is the default)
    // The plain message box: OK only, no icon (icon and buttons are ignored).
    bool plain = false;

    bool operator==(const Message&) const = default;
};

// Shows the message modally and returns the button code pressed.
using ShowMessage = std::function<int(const Message&)>;

// The one message of the program for a failed write.
Message saveFailedMessage(const QString& path);

// A change of the books could not start: an earlier one is unfinished.
Message unfinishedChangeMessage();

// A typed value refused on input.
Message inputErrorMessage(const QString& text);

} // namespace mv
