#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <ostream>

#include "gui/common/Prompter.h"

// Lets GoogleTest print Qt strings readably in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{';
    for (const QString& text : list) {
        *os << " \"" << text.toStdString() << '"';
    }
    *os << " }";
}

// Answers message boxes and file dialogs from a script and records what was asked. Installed
// as the current prompter for its lifetime. A question without a scripted answer fails the test
// and is answered Cancel.
class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter() : guard(*this) {}

    void ShowMessage(QWidget*, const QString& text, const QString& detail,
                     const QString& fullList) override {
        messages.append(text);
        details.append(detail);
        fullLists.append(fullList);
    }
    Answer AskSaveChanges(QWidget*, const QString& text) override {
        questions.append(text);
        return Take(answers, Answer::Cancel, "question: " + text);
    }
    bool AskYesNo(QWidget*, const QString& text) override {
        questions.append(text);
        return Take(answers, Answer::No, "question: " + text) == Answer::Yes;
    }
    bool AskDiscard(QWidget*, const QString& text, const QString& detail) override {
        questions.append(text);
        details.append(detail);
        return Take(answers, Answer::Cancel, "discard: " + text) == Answer::Yes;
    }
    int AskTimerNumber(QWidget*, const QString& text, const QList<int>&, int) override {
        questions.append(text);
        return Take(numbers, -1, "timer number: " + text);
    }
    QString GetOpenFileName(QWidget*, const QString& filter) override {
        filters.append(filter);
        return Take(openNames, QString(), QStringLiteral("Open file dialog"));
    }
    QString GetSaveFileName(QWidget*, const QString& title, const QString&, const QString& filter,
                            const QString&) override {
        filters.append(filter);
        saveTitles.append(title);
        return Take(saveNames, QString(), QStringLiteral("Save file dialog"));
    }

    Answer AskReplaceChanged(QWidget*, const QString& text) override {
        questions.append(text);
        return Take(answers, Answer::Cancel, "changed file: " + text);
    }
    Answer AskSaveLosing(QWidget*, const QString& text, const QString& detail) override {
        questions.append(text);
        details.append(detail);
        return Take(answers, Answer::Cancel, "save losing: " + text);
    }

    std::deque<Answer> answers;
    std::deque<int> numbers;  // answers to AskTimerNumber
    std::deque<QString> openNames;
    std::deque<QString> saveNames;
    QStringList messages;
    QStringList details;
    QStringList fullLists;
    QStringList questions;
    QStringList filters;
    QStringList saveTitles;  // each save dialog's title
    QStringList unexpected;  // prompts that came without a scripted answer

private:
    template <typename T>
    T Take(std::deque<T>& queue, T fallback, const QString& what) {
        if (queue.empty()) {
            unexpected.append(what);
            return fallback;
        }
        T value = queue.front();
        queue.pop_front();
        return value;
    }

    Override guard;
};
