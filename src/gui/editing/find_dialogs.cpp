#include "gui/editing/find_dialogs.h"

#include "gui/platform/text_codec.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ranvo::gui {
namespace {

// Entering an edit box selects its text, so that typing replaces it.
class SelectOnFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            auto* box = static_cast<QLineEdit*>(watched);
            QTimer::singleShot(0, box, [box] { box->selectAll(); });
        }
        return false;
    }
};

QPushButton* button(const QString& caption, QWidget* parent) {
    auto* result = new QPushButton(caption, parent);
    result->setAutoDefault(false);
    return result;
}

} // namespace

FindDialogBase::FindDialogBase(MainState& state, UiHost& host, const QString& caption, QWidget* parent)
    : QDialog(parent), m_state(state), m_host(host) {
    setWindowTitle(caption);
    m_layout = new QGridLayout(this);
    txtKey = new QLineEdit(toQString(state.Grid.Cell(state.Grid.Col(), state.Grid.Row())), this);
    txtKey->installEventFilter(new SelectOnFocus(txtKey));
    m_layout->addWidget(new QLabel(QStringLiteral("検索文字列"), this), 0, 0);
    m_layout->addWidget(txtKey, 0, 1);
    chkLU = new QCheckBox(QStringLiteral("大文字小文字を区別する"), this);
    chkLU->setChecked(true);
    fraDirection = new QGroupBox(QStringLiteral("検索方向"), this);
    auto* directions = new QHBoxLayout(fraDirection);
    const QString captions[] = {QStringLiteral("全体"), QStringLiteral("行"), QStringLiteral("列")};
    for (std::size_t i = 0; i < m_directions.size(); ++i) {
        m_directions[i] = new QRadioButton(captions[i], fraDirection);
        directions->addWidget(m_directions[i]);
    }
    m_directions[0]->setChecked(true);
}

FindOptions FindDialogBase::options() const {
    FindOptions result;
    result.Key = fromQString(txtKey->text());
    result.MatchCase = chkLU->isChecked();
    for (std::size_t i = 0; i < m_directions.size(); ++i) {
        if (m_directions[i]->isChecked()) {
            result.Direction = static_cast<FindDirection>(i);
        }
    }
    return result;
}

void FindDialogBase::searched(bool found) {
    changed();
    if (!found) {
        ShowNotFound(m_host, fromQString(txtKey->text()));
    }
}

void FindDialogBase::changed() {
    if (onGridChanged) {
        onGridChanged();
    }
}

TfrmFind::TfrmFind(MainState& state, UiHost& host, QWidget* parent)
    : FindDialogBase(state, host, QStringLiteral("検索"), parent) {
    chkField = new QCheckBox(QStringLiteral("フィールドを無視する"), this);
    connect(chkField, &QCheckBox::toggled, fraDirection, [this](bool on) { fraDirection->setEnabled(!on); });
    cmdNext = button(QStringLiteral("次へ(&N)"), this);
    cmdFirst = button(QStringLiteral("先頭へ(&F)"), this);
    QPushButton* cmdCancel = button(QStringLiteral("キャンセル(&C)"), this);
    connect(cmdNext, &QPushButton::clicked, this, &TfrmFind::cmdNextClick);
    connect(cmdFirst, &QPushButton::clicked, this, &TfrmFind::cmdFirstClick);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(txtKey, &QLineEdit::returnPressed, this, [this] {
        if (!txtKey->text().isEmpty()) {
            cmdNextClick();
        }
    });
    m_layout->addWidget(chkLU, 1, 1);
    m_layout->addWidget(chkField, 2, 1);
    m_layout->addWidget(fraDirection, 3, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* each : {cmdNext, cmdFirst, cmdCancel}) {
        buttons->addWidget(each);
    }
    buttons->addStretch();
    m_layout->addLayout(buttons, 0, 2, 4, 1);
}

void TfrmFind::cmdNextClick() {
    FindOptions search = options();
    search.IgnoreFields = chkField->isChecked();
    BusyGuard busy(m_host);
    searched(FindNext(m_state, search));
}

void TfrmFind::cmdFirstClick() {
    FindOptions search = options();
    search.IgnoreFields = chkField->isChecked();
    BusyGuard busy(m_host);
    searched(FindFirst(m_state, search));
}

TfrmReplace::TfrmReplace(MainState& state, UiHost& host, QWidget* parent)
    : FindDialogBase(state, host, QStringLiteral("置換"), parent) {
    txtReplace = new QLineEdit(this);
    txtReplace->installEventFilter(new SelectOnFocus(txtReplace));
    chkReplace = new QCheckBox(QStringLiteral("置換確認メッセージを表示する"), this);
    chkReplace->setChecked(true);
    cmdReplace = button(QStringLiteral("置換(&R)"), this);
    cmdReplaceAll = button(QStringLiteral("全置換(&A)"), this);
    QPushButton* cmdCancel = button(QStringLiteral("キャンセル(&C)"), this);
    connect(cmdReplace, &QPushButton::clicked, this, &TfrmReplace::cmdReplaceClick);
    connect(cmdReplaceAll, &QPushButton::clicked, this, &TfrmReplace::cmdReplaceAllClick);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(txtKey, &QLineEdit::returnPressed, txtReplace, [this] { txtReplace->setFocus(); });
    connect(txtReplace, &QLineEdit::returnPressed, cmdReplace, [this] { cmdReplace->setFocus(); });
    m_layout->addWidget(new QLabel(QStringLiteral("置換文字列"), this), 1, 0);
    m_layout->addWidget(txtReplace, 1, 1);
    m_layout->addWidget(chkLU, 2, 1);
    m_layout->addWidget(chkReplace, 3, 1);
    m_layout->addWidget(fraDirection, 4, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* each : {cmdReplace, cmdReplaceAll, cmdCancel}) {
        buttons->addWidget(each);
    }
    buttons->addStretch();
    m_layout->addLayout(buttons, 0, 2, 5, 1);
}

void TfrmReplace::cmdReplaceClick() {
    ReplaceOnce(m_state, m_host, options(), fromQString(txtReplace->text()), chkReplace->isChecked());
    changed();
}

void TfrmReplace::cmdReplaceAllClick() {
    ReplaceAll(m_state, m_host, options(), fromQString(txtReplace->text()), chkReplace->isChecked());
    changed();
}

} // namespace ranvo::gui
