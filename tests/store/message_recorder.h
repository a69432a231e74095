#pragma once
// Records every message an engine function shows and answers from a script;
// without a scripted answer the default button is taken (No for "yes_NO",
// OK otherwise).
#include "store/user_message.h"

#include <QStringList>

#include <deque>
#include <vector>

struct MessageRecorder {
    std::vector<mv::Message> shown;
    std::deque<int> answers;

    mv::ShowMessage show() {
        return [this](const mv::Message& m) {
            shown.push_back(m);
            if (!answers.empty()) {
                const int a = answers.front();
                answers.pop_front();
                return a;
            }
            if (m.plain) return 0;
            return m.buttons == QLatin1String("yes_NO") ? mv::answerNo : mv::answerOk;
        };
    }
    QStringList titles() const {
        QStringList t;
        for (const auto& m : shown)
            t << m.title;
        return t;
    }
};
