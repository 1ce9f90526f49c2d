#pragma once

class QString;
class QWidget;

// Kinds of message box; the kind chooses the icon.
enum class MessageKind {
    Information = 1,
    Warning = 2,
    Error = 3,
    Question = 4,
};

// The program's title: the title of message boxes that bring none of their own.
QString ProgramTitle();

// Shows a modal box with the text and one OK button and returns when it is closed. An empty title
// becomes the program's title; a kind that is none of the four shows nothing at all.
void ShowMessage(const QString& text, MessageKind kind, const QString& title, QWidget* parent = nullptr);
