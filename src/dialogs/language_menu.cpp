#include "dialogs/language_menu.h"

#include "i18n/language.h"

#include <QActionGroup>
#include <QEvent>

namespace i18n {

namespace {
struct Entry {
    const char *code;
    const char *name; // the language's name in itself, never translated
};
constexpr Entry kEntries[] = {{"en", "&English"}, {"de", "&Deutsch"}, {"nl", "&Nederlands"}};
} // namespace

LanguageMenu::LanguageMenu(QWidget *parent) : QMenu(parent) {
    setObjectName(QStringLiteral("LanguageMenu"));
    auto *group = new QActionGroup(this);
    system_ = addAction(QString());
    system_->setObjectName(QStringLiteral("LanguageSystem"));
    system_->setCheckable(true);
    group->addAction(system_);
    connect(system_, &QAction::triggered, this, [this] { choose(QString()); });
    addSeparator();
    for (const Entry &e : kEntries) {
        const QString code = QString::fromLatin1(e.code);
        QAction *a = addAction(QString::fromUtf8(e.name));
        a->setObjectName(QStringLiteral("Language_") + code);
        a->setData(code);
        a->setCheckable(true);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, code] { choose(code); });
        languages_.append(a);
    }
    retranslate();
    showChoice();
}

QAction *LanguageMenu::languageAction(const QString &code) const {
    for (QAction *a : languages_)
        if (a->data().toString() == code) return a;
    return nullptr;
}

void LanguageMenu::changeEvent(QEvent *event) {
    if (event->type() == QEvent::LanguageChange) retranslate();
    QMenu::changeEvent(event);
}

void LanguageMenu::retranslate() {
    setTitle(tr("&Language"));
    system_->setText(tr("&System language"));
}

void LanguageMenu::choose(const QString &choice) {
    saveChoice(choice);
    applyChoice(choice);
    showChoice();
}

void LanguageMenu::showChoice() {
    QAction *current = currentChoice().isEmpty() ? system_ : languageAction(currentChoice());
    if (current) current->setChecked(true);
}

LanguageMenu *AddLanguageMenu(QMenu *config) {
    auto *menu = new LanguageMenu(config);
    config->addMenu(menu);
    return menu;
}

} // namespace i18n
