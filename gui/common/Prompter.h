#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every message box and file dialog of the application goes through the current Prompter, so
// tests can answer them without a person. The real one shows QMessageBox and QFileDialog.
class Prompter {
public:
    enum class Answer { Ok, Yes, No, Cancel, Replace, SaveAs };

    virtual ~Prompter() = default;

    // A message with an OK button only. The fixed text comes first; detail, when given, says
    // what happened and what to do. fullList, when given, is behind the box's details button:
    // the whole of a list the detail gives only the start of (ShortList).
    virtual void ShowMessage(QWidget* parent, const QString& text, const QString& detail = {},
                             const QString& fullList = {}) = 0;
    // Whether to save changes first: Save (Yes), Don't Save (No) or Cancel.
    virtual Answer AskSaveChanges(QWidget* parent, const QString& text) = 0;
    // A question answered Yes or No; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
    // A question whose only ways on are to discard the changes or to go back; true for Discard.
    virtual bool AskDiscard(QWidget* parent, const QString& text, const QString& detail) = 0;
    // A choice of a timer number from choices, current preselected; -1 when cancelled.
    virtual int AskTimerNumber(QWidget* parent, const QString& text, const QList<int>& choices,
                               int current) = 0;
    // File dialogs; an empty result means the user cancelled.
    virtual QString GetOpenFileName(QWidget* parent, const QString& filter) = 0;
    // title names the command; startPath is the file proposed, its folder where the dialog
    // opens (empty: the working folder, no name). defaultSuffix is added to a name typed
    // without one. The dialog does not ask about replacing an existing file: the caller does,
    // once the name is final.
    virtual QString GetSaveFileName(QWidget* parent, const QString& title, const QString& startPath,
                                    const QString& filter, const QString& defaultSuffix) = 0;

    // The file was changed by someone else: Replace it, Save As or Cancel.
    virtual Answer AskReplaceChanged(QWidget* parent, const QString& text) = 0;
    // Saving over the file loses what detail names: Save (Replace), Save As or Cancel.
    virtual Answer AskSaveLosing(QWidget* parent, const QString& text, const QString& detail) = 0;

    static Prompter& Current();
    // Makes prompter the current one until the returned guard is destroyed.
    class Override {
    public:
        explicit Override(Prompter& prompter);
        ~Override();
        Override(const Override&) = delete;
        Override& operator=(const Override&) = delete;

    private:
        Prompter* previous;
    };
};

class QtPrompter : public Prompter {
public:
    void ShowMessage(QWidget* parent, const QString& text, const QString& detail,
                     const QString& fullList) override;
    Answer AskSaveChanges(QWidget* parent, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
    bool AskDiscard(QWidget* parent, const QString& text, const QString& detail) override;
    int AskTimerNumber(QWidget* parent, const QString& text, const QList<int>& choices,
                       int current) override;
    QString GetOpenFileName(QWidget* parent, const QString& filter) override;
    QString GetSaveFileName(QWidget* parent, const QString& title, const QString& startPath,
                            const QString& filter, const QString& defaultSuffix) override;
    Answer AskReplaceChanged(QWidget* parent, const QString& text) override;
    Answer AskSaveLosing(QWidget* parent, const QString& text, const QString& detail) override;
};

// How many items of a list a message box shows before "and N more": a box fits a small screen.
inline constexpr int kBoxListItems = 10;
// The first kBoxListItems items, a line each, then "and N more" when there are more.
QString ShortList(const QStringList& items);

// A file name to save or export to: asked, the suffix added when the name has none, and an
// existing file replaced only when agreed (asked for the final name, so "name" never replaces
// "name.tvr" unasked). Empty when the user cancels. The dialog is titled title ("Save As" when
// empty) and proposes startPath (see Prompter::GetSaveFileName).
QString AskSaveName(QWidget* parent, const QString& filter, const QString& suffix,
                    const QString& title = {}, const QString& startPath = {});
