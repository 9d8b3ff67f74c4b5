// The help page is one translated text per heading and paragraph; in German it must keep the
// page's shape, or a lost tag would run a heading into its paragraph or bold the rest of it.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include "gui/app/HelpDialog.h"
#include "gui/common/Language.h"

namespace {

struct PageBlock {
    QString text;
    QString shape;  // heading level, then its bold (b) and fixed-pitch (tt) runs in order
};

std::vector<PageBlock> Blocks(const HelpDialog& help) {
    const auto* page = help.findChild<QTextBrowser*>();
    std::vector<PageBlock> blocks;
    if (page == nullptr) {
        ADD_FAILURE() << "no page";
        return blocks;
    }
    for (QTextBlock block = page->document()->begin(); block.isValid(); block = block.next()) {
        if (block.text().trimmed().isEmpty()) {
            continue;
        }
        QString shape = QStringLiteral("h%1").arg(block.blockFormat().headingLevel());
        for (auto run = block.begin(); !run.atEnd(); ++run) {
            const QTextCharFormat format = run.fragment().charFormat();
            if (format.fontFamilies().toStringList().contains(QStringLiteral("monospace"))) {
                shape += QStringLiteral(" tt");
            } else if (format.fontWeight() >= QFont::Bold &&
                       block.blockFormat().headingLevel() == 0) {
                shape += QStringLiteral(" b");
            }
        }
        blocks.push_back({block.text(), shape});
    }
    return blocks;
}

TEST(HelpPage, GermanHasEveryHeadingAndParagraphWithTheSameMarkup) {
    const std::vector<PageBlock> english = Blocks(HelpDialog());
    std::vector<PageBlock> german;
    {
        const AppLanguage language(QStringLiteral("de"));
        german = Blocks(HelpDialog());
    }
    // Five sections, each a heading and a paragraph.
    ASSERT_EQ(english.size(), 10u);
    ASSERT_EQ(german.size(), english.size());
    for (std::size_t i = 0; i < english.size(); ++i) {
        EXPECT_EQ(german[i].shape, english[i].shape) << german[i].text.toStdString();
        EXPECT_NE(german[i].text, english[i].text)
            << "untranslated: " << english[i].text.toStdString();
    }
    EXPECT_EQ(english[0].shape, "h3");
    EXPECT_EQ(english[1].shape, "h0 b b b tt tt");
}

}  // namespace
