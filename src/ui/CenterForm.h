#pragma once

class QWidget;

// Where CenterForm puts a window, in twips: its centre at half the screen width and at 42.5 % of
// the screen height, never with a negative edge.
struct FormPlace {
    long long left = 0;
    long long top = 0;
};
FormPlace CenterFormPlace(double screenWidth, double screenHeight, double formWidth, double formHeight);

// Places the window on the primary screen by CenterFormPlace.
void CenterForm(QWidget& form);
