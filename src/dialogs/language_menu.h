// Config > Language: the engineer's own choice of language, applied at once and kept for the next
// run in the user's preferences.
#pragma once

#include <QMenu>

class QAction;

namespace i18n {

// The submenu itself. Its entries are the languages in their own names (an engineer who cannot
// read the current language still finds his own) and one that follows the system again.
class LanguageMenu : public QMenu {
    Q_OBJECT
public:
    explicit LanguageMenu(QWidget *parent = nullptr);

    QAction *systemAction() const { return system_; }
    // The entry of a language code ("en", "de", "nl"), or null.
    QAction *languageAction(const QString &code) const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void choose(const QString &choice);
    void showChoice();

    QAction *system_ = nullptr;
    QList<QAction *> languages_;
};

// Adds "&Language" at the end of `config` and returns it.
LanguageMenu *AddLanguageMenu(QMenu *config);

} // namespace i18n
