#include "insert_key_wireless_window.h"

#include "app/button/lb_button.h"
#include "app/common/language.h"
#include "mbus/models/scan_checks.h"
#include "platform/messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>

TFInsertKeyWireless* FInsertKeyWireless = nullptr;

TFInsertKeyWireless::TFInsertKeyWireless(QWidget* parent) : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FInsertKeyWireless"));
    setWindowFlag(Qt::FramelessWindowHint);
    L_InsKey = AddLabel("L_InsKey", 8, 15);
    E_Key = new QLineEdit(this);
    E_Key->setObjectName(QStringLiteral("E_Key"));
    E_Key->setGeometry(120, 12, 250, 21);
    E_Key->setMaxLength(32);
    connect(E_Key, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int pos = E_Key->cursorPosition();
            E_Key->setText(upper);
            E_Key->setCursorPosition(pos);
        }
    });
    Btn_OK = MakeButton(this, "Btn_OK", 378, 10, 45, 26);
    Btn_Cancel = MakeButton(this, "Btn_Cancel", 428, 10, 45, 26);
    Btn_Cancel->SetModalResult(mrCancel);
    connect(Btn_OK, &TLbButton::clicked, this, &TFInsertKeyWireless::Btn_OKClick);
    SetClientSize(481, 47);
    Set_Lang();
}

void TFInsertKeyWireless::Set_Lang()
{
    L_InsKey->setText(Lang(1300));
    L_InsKey->adjustSize();
    Btn_OK->SetCaption(Lang(1301));
    Btn_Cancel->SetCaption(Lang(1302));
}

void TFInsertKeyWireless::Btn_OKClick()
{
    const QString message = mbus::Check_Key(E_Key->text());
    if (!message.isEmpty()) {
        Messages::Error(message);
        return;
    }
    done(mrOk);
}

void TFInsertKeyWireless::paintEvent(QPaintEvent* event)
{
    OrvanoForm::paintEvent(event);
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(0, 0, width() - 1, height() - 1);
}
