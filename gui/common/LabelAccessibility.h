#pragma once

#include <QString>

class QLabel;

// What a text label shows, as plain text: rich text without its markup, mnemonic marks gone.
QString LabelShownText(const QLabel& label);
// A label's or button's text as it shows: without its mnemonic marks ("&&" shows one "&").
QString WithoutMnemonics(const QString& text);

// Makes every text label tell assistive tools what it shows. Its name is its accessible name,
// or its text when it has none; a label whose name does not hold its text has the text as its
// description (unless it was given a description of its own), so a short name never replaces
// what shows. The text can also be read through the text interface, as a reader's review
// commands do. Labels with a picture keep Qt's own handling. Calling it again does nothing.
void InstallLabelAccessibility();
