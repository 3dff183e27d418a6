// Screen tests on a computer a previous run left signed in to an account of the development
// server (vault key, local copy, session), whose items the tests seed on the server as another
// device would; the screens' clock stands at a chosen moment until the test moves it.
#pragma once

#include "core/ConteudoDoItem.h"
#include "support/quick/TelaComServidor.h"

#include <QDateTime>
#include <QQuickItem>

class TelaComConta : public TelaComServidor {
protected:
    // Also creates the account on the server and a vault key for it, and stops the screens'
    // clock at 09:41:10 on 2 March 2026.
    void SetUp() override;

    // Stores an item on the server as another device of the account would; gives its id. With
    // `outraChave` it is sealed with a key this computer does not have; with `id` it replaces
    // that item (another device's edit).
    QString semear(TipoDeItem tipo, const ObjetoJSON &conteudo, bool outraChave = false, const QString &id = {});
    // This computer as a previous run left it: key, copy and session; app protection `proteger`.
    void deixarConectado(bool proteger);
    // Until the open vault has loaded and its first sync (the account's fetch included) ended.
    void esperarPrimeiraSincronia();
    // The screens' clock at this moment (seconds since 1970), with the views updated.
    void irPara(qint64 segundos);

    QQuickItem *item(const QString &nome) { return achar<QQuickItem>(nome); }
    QString texto(const QString &nome) { return item(nome)->property("text").toString(); }

    const QString email = QStringLiteral("ana@exemplo.com");
    QByteArray chave;
    QDateTime agoraDaTela;
};
