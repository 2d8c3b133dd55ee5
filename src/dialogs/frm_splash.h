// frmSplash: the first window of a run. It shows the product and version for a moment and hands
// over to the main window, which it gets from a factory so that main() decides what the window is
// and what it talks to.
#pragma once

#include "zanu_version.h"

#include <QBrush>
#include <QFont>
#include <QList>
#include <QPainterPath>
#include <QPen>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>

class QFrame;
class QLabel;
class QTimer;

namespace Ui {
class frmSplash;
}

QString VersionText(); // "Version 1.0.3", from the project's version

// The product picture (a transmitter on its cable in a column of liquid), drawn at runtime at
// any size; also the windows' icon.
QPixmap ProductPicture(int size);
// The shapes it is drawn from, in painting order, on a 64-unit square; the installed icon files
// are made from the same shapes.
struct PictureShape {
    QPainterPath path;
    QBrush fill;
    QPen pen;
};
QList<PictureShape> ProductPictureShapes();

// Our forms name the classic Windows faces; where a face is not installed, keep size and weight
// and take the system's sans face instead of whatever the font matcher happens to pick.
QFont WithFallbackFamily(QFont font);

class frmSplash : public QWidget {
    Q_OBJECT
public:
    // Creates the main window and runs its load step; the splash then shows it. May return null.
    using MainWindowFactory = std::function<QWidget *()>;

    explicit frmSplash(MainWindowFactory factory, QWidget *parent = nullptr);
    ~frmSplash() override;

    // How long the splash shows before the main window takes its place.
    static constexpr std::chrono::milliseconds kShowInterval{1500};
    QTimer *Timer1 = nullptr;
    QFrame *Frame1 = nullptr;
    QLabel *Picture1 = nullptr;
    QLabel *lblProductName = nullptr, *lblCopyright = nullptr, *lblCompany = nullptr,
           *lblVersion = nullptr, *lblCompanyProduct = nullptr;

    void Form_Load();
    void Timer1_Timer();
    void Frame1_Click();
    // Has the main window made, shows it and closes the splash; once only.
    void HandOver();
    // The main window made by the hand-over, or null before it.
    QWidget *mainWindow() const { return main_; }

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::frmSplash> ui;
    MainWindowFactory factory_;
    QWidget *main_ = nullptr;
    bool handedOver_ = false;
};
