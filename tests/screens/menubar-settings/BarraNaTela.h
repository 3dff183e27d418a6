// What the panel's and the settings' screen tests share: a computer signed in to an account of
// the development server (or signed out), the central state started from it, a fake owner check
// whose answer and availability the test sets, the update checker over the server's site, the
// screens' clock at chosen moments, and the panel or the settings form shown over them.
#pragma once

#include "app/SituacaoDoPreenchimento.h"
#include "screens/menubar-settings/ModeloDosAjustes.h"
#include "app/VerificadorDeAtualizacao.h"
#include "core/ConteudoDoItem.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "state/EstadoDoApp.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/DiretorioTemporario.h"
#include "support/RelogioDeTeste.h"
#include "support/quick/TesteQuick.h"

#include <QQuickItem>
#include <QUrl>

#include <functional>
#include <memory>

class BarraNaTela : public TesteQuick {
protected:
    void SetUp() override;
    void TearDown() override;

    // A code item; `segredo` defaults to RFC 6238's SHA-1 key.
    static ObjetoJSON codigo(const QString &emissor, const QString &conta,
                             const QString &segredo = QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ"));
    // Stores an item on the server as another device of the account would; gives its id.
    QString semear(const ObjetoJSON &conteudo);
    // Starts the state on a computer left signed in, with app protection `proteger`: open (after
    // the first sync) without protection, locked with it.
    void entrar(bool proteger = false);
    // Starts the state on a computer with no account: signed out.
    void semConta();
    // The panel, or the settings form, over the state.
    QQuickItem *mostrarBarra();
    QQuickItem *mostrarAjustes();
    // The panel's window follows the panel's height, as the panel's own window does, and shows
    // a frame at that size.
    void ajustarAltura();
    // The screens' clock at this moment (seconds since 1970), with the views updated.
    void irPara(qint64 segundos);

    QQuickItem *item(const QString &nome) { return achar<QQuickItem>(nome); }
    QString texto(const QString &nome) { return item(nome)->property("text").toString(); }
    void clicar(QQuickItem *alvo);
    // Scrolls the settings form until `alvo` is in view.
    void rolarAte(QQuickItem *alvo);
    // Until `condicao` holds, running the event loop, at most 20 s.
    static bool esperarAte(const std::function<bool()> &condicao);

    DiretorioTemporario pasta;
    std::shared_ptr<CofreDeSegredosEmMemoria> segredos;
    Servidor::ServidorDeDesenvolvimento servidor;
    RelogioDeTeste relogioDosAvisos;
    std::unique_ptr<EstadoDoApp> estado;
    std::unique_ptr<VerificadorDeAtualizacao> atualizacao;
    std::unique_ptr<SituacaoDoPreenchimento> preenchimento;
    int atualizacoesDoPreenchimento = 0;
    const QString email = QStringLiteral("ana@exemplo.com");
    QByteArray chave;
    QDateTime agoraDaTela;
    // The fake owner check: its answer, whether it can run, the reasons it was shown, and the
    // prompts still open when `segurarDono` keeps them waiting for `responderDono`.
    bool donoConfirma = true;
    bool donoDisponivel = true;
    bool segurarDono = false;
    QStringList motivos;
    QList<std::function<void(bool)>> pendentes;
    void responderDono(bool confirma);
    // The AutoFill switch the host reports.
    static void definirRepositorioLigado(bool ligado);
    // Addresses the update checker and the help links opened.
    QList<QUrl> abertos;
    ModeloDosAjustes *modelo = nullptr;
};
