#include "gui/settings/info_dialog.h"

#include "gui/platform/program_images.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ranvo::gui {

QString VersionText() {
    return QStringLiteral("ver.") + QStringLiteral(RANVO_VERSION);
}

TfrmInfo::TfrmInfo(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("バージョン情報"));
    lblIcon = new QLabel(this);
    lblIcon->setPixmap(programIcon().pixmap(48, 48));
    auto* texts = new QVBoxLayout;
    texts->addWidget(new QLabel(QStringLiteral("Ranvo"), this));
    texts->addWidget(new QLabel(VersionText(), this));
    texts->addWidget(new QLabel(QStringLiteral("Thank You for Use."), this));
    auto* top = new QHBoxLayout;
    top->addWidget(lblIcon, 0, Qt::AlignTop);
    top->addLayout(texts);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

} // namespace ranvo::gui
