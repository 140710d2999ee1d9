#include "dialogs.h"

#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

class QtDialogs final : public Dialogs
{
public:
    void information(QWidget *parent, const QString &caption, const QString &text) override
    {
        QMessageBox::information(parent, caption, text, QMessageBox::Ok);
    }
    void warning(QWidget *parent, const QString &caption, const QString &text) override
    {
        QMessageBox::warning(parent, caption, text, QMessageBox::Ok);
    }
    void error(QWidget *parent, const QString &text) override
    {
        QMessageBox::critical(parent, kInfoCaption, text, QMessageBox::Ok);
    }
    bool question(QWidget *parent, const QString &caption, const QString &text) override
    {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
        QPushButton *yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }
    std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial) override
    {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, parent, QStringLiteral("字体"));
        if (!ok)
            return std::nullopt;
        return font;
    }
};

QtDialogs g_qtDialogs;
Dialogs *g_current = &g_qtDialogs;

} // namespace

Dialogs &Dialogs::instance()
{
    return *g_current;
}

void Dialogs::install(Dialogs *d)
{
    g_current = d ? d : &g_qtDialogs;
}
