#include "ui/TAboutBox.h"

#include "document/UTextos.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QString::fromUtf8(Textos::AcercaDe));
    auto* icono = new QLabel(this);
    icono->setObjectName(QStringLiteral("ProgramIcon"));
    const QIcon imagen = QApplication::windowIcon().isNull()
                             ? style()->standardIcon(QStyle::SP_FileDialogDetailedView)
                             : QApplication::windowIcon();
    icono->setPixmap(imagen.pixmap(48, 48));
    auto* nombre = new QLabel(QString::fromUtf8(Textos::TituloAplicacion), this);
    nombre->setObjectName(QStringLiteral("ProductName"));
    QFont grande = nombre->font();
    grande.setPointSize(grande.pointSize() + 6);
    grande.setBold(true);
    nombre->setFont(grande);
    // The program sets the application version at start-up.
    const QString version = QApplication::applicationVersion();
    auto* lbVersion = new QLabel(QString::fromUtf8(Textos::Version) + version, this);
    lbVersion->setObjectName(QStringLiteral("Version"));
    lbVersion->setVisible(!version.isEmpty());
    auto* comentarios = new QLabel(QString::fromUtf8(Textos::AcercaDeTexto), this);
    comentarios->setObjectName(QStringLiteral("Comments"));
    comentarios->setWordWrap(true);
    auto* botones = new QDialogButtonBox(this);
    botones->addButton(QString::fromUtf8(Textos::BotonOK), QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* textos = new QVBoxLayout;
    textos->addWidget(nombre);
    textos->addWidget(lbVersion);
    textos->addSpacing(8);
    textos->addWidget(comentarios);
    auto* arriba = new QHBoxLayout;
    arriba->addWidget(icono, 0, Qt::AlignTop);
    arriba->addLayout(textos, 1);
    auto* capa = new QVBoxLayout(this);
    capa->addLayout(arriba);
    capa->addWidget(botones);
    setFixedWidth(400);
}
