// What the vault window's screen tests share: a computer left signed in to an account of the
// development server (vault key, local copy, session) whose items the tests seed on the server,
// the central state opened from it through its start routine, a fake owner check, the screens'
// clock set to chosen moments, and the vault window shown over them.
#pragma once

#include "app/SituacaoDoPreenchimento.h"
#include "core/ConteudoDoItem.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "state/EstadoDoApp.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/DiretorioTemporario.h"
#include "support/RelogioDeTeste.h"
#include "support/quick/TesteQuick.h"

#include <QQuickItem>

#include <functional>
#include <memory>

class CofreNaTela : public TesteQuick {
protected:
    void SetUp() override;
    void TearDown() override;

    // A code item; `segredo` defaults to RFC 6238's SHA-1 key.
    static ObjetoJSON codigo(const QString &emissor, const QString &conta, bool favorito = false,
                             const QString &segredo = QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ"));
    // Stores an item on the server as another device of the account would; gives its id. With
    // `outraChave` it is sealed with a key this computer does not have.
    QString semear(TipoDeItem tipo, const ObjetoJSON &conteudo, bool outraChave = false);
    // Starts the state (app protection off), waits for the first sync and shows the vault
    // window in a window of `tamanho`.
    QQuickItem *abrir(QSize tamanho = QSize(1040, 680));
    // The screens' clock at this moment (seconds since 1970), with the views updated.
    void irPara(qint64 segundos);

    QQuickItem *item(const QString &nome) { return achar<QQuickItem>(nome); }
    QString texto(const QString &nome) { return item(nome)->property("text").toString(); }
    // The ids of the code cards shown, in order.
    QStringList idsNaGrade();
    void clicar(QQuickItem *alvo, Qt::MouseButton botao = Qt::LeftButton);
    void passarPor(QQuickItem *alvo);
    // Until `condicao` holds, running the event loop, at most 20 s.
    static bool esperarAte(const std::function<bool()> &condicao);

    DiretorioTemporario pasta;
    std::shared_ptr<CofreDeSegredosEmMemoria> segredos;
    Servidor::ServidorDeDesenvolvimento servidor;
    RelogioDeTeste relogioDosAvisos;
    std::unique_ptr<EstadoDoApp> estado;
    std::unique_ptr<SituacaoDoPreenchimento> preenchimento;
    const QString email = QStringLiteral("ana@exemplo.com");
    QByteArray chave;
    QDateTime agoraDaTela;
    bool donoConfirma = true;
    QStringList motivos;
};
