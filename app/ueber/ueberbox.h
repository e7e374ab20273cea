// The program's about box with the product's and the maker's texts and logos.
#pragma once

class QWidget;
class TOvoAboutBox;

// The about box owned by besitzer, created and filled on first use; without besitzer a new
// box that the caller owns.
TOvoAboutBox* UeberTropfwerk(QWidget* besitzer);
// Shows the about box modally; returns when it has closed.
void ZeigeUeberTropfwerk(QWidget* besitzer);
