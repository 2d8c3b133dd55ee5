// Every window of the program opens in the middle of its screen, at its design size.
#pragma once

class QWidget;

void CentreOnScreen(QWidget *window);
