#pragma once

class QString;
class QWidget;

// Kinds of message box; the kind chooses the icon.
enum MessageKind {
    MessageInformation = 1,
    MessageWarning = 2,
    MessageError = 3,
    MessageQuestion = 4,
};

// The program's title: the title of message boxes that bring none of their own.
QString ProgramTitle();

// Shows a modal box with the text and one OK button and returns when it is closed. An empty title
// becomes the program's title; a kind outside 1 to 4 shows nothing at all.
void ShowMessage(const QString& text, int kind, const QString& title, QWidget* parent = nullptr);
