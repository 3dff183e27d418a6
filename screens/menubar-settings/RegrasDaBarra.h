// The tray panel's rules as its QML reads them: which face the phase shows, the update row's
// text, and the code list (the vault window's list and search rule) with the panel's own copy.
#pragma once

#include "screens/vault/CodigosDaGrade.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

class CentralDeAvisos;

class RegrasDaBarra : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    // "bloqueado", "aberto", or "semConta" for the signed-out phase and while starting.
    [[nodiscard]] Q_INVOKABLE static QString face(const QString &nomeDaFase);
    // "Baixar a versão <versao>" while an update is available (`disponivel` holds a
    // VersaoPublicada), else the empty text (no row).
    [[nodiscard]] Q_INVOKABLE static QString textoDoDownload(const QVariant &disponivel);
};

// The panel's codes: the store's codes in the user's order under the panel's search, each with
// what its row shows at the screens' clock.
class ListaDaBarra : public CodigosDaGrade {
    Q_OBJECT
    QML_ELEMENT

public:
    using CodigosDaGrade::CodigosDaGrade;

    // The row's click: the bare digits as a concealed copy, one more copy counted, and the
    // "Copiado" toast. A row whose code cannot be computed copies nothing and says nothing, so
    // the user's clipboard survives a click on it. Gives whether it copied.
    Q_INVOKABLE bool copiar(int linha, CentralDeAvisos *avisos) const;
};
