// What the panel's and the settings' screen tests share: a computer signed in to an account of
// the development server (or signed out), the central state started from it, a fake owner check
// whose answer and availability the test sets, the update checker over the server's site, and
// the panel or the settings form shown over them.
#pragma once

#include "screens/menubar-settings/ModeloDosAjustes.h"
#include "screens/menubar-settings/VerificadorDeAtualizacao.h"
#include "screens/vault/SituacaoDoPreenchimento.h"
#include "support/quick/TelaComConta.h"

#include <QQuickItem>
#include <QUrl>

#include <functional>
#include <memory>

class BarraNaTela : public TelaComConta {
protected:
    void SetUp() override;
    void TearDown() override;
    void completarInfo(QVariantMap &info) override;
    void soltar() override;

    // A code item; `segredo` defaults to RFC 6238's SHA-1 key.
    static ObjetoJSON codigo(const QString &emissor, const QString &conta,
                             const QString &segredo = QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ"));
    // Stores a code item on the server as another device of the account would; gives its id.
    QString semear(const ObjetoJSON &conteudo) { return TelaComConta::semear(TipoDeItem::codigo, conteudo); }
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

    void clicar(QQuickItem *alvo);
    // Scrolls the settings form until `alvo` is in view.
    void rolarAte(QQuickItem *alvo);

    std::unique_ptr<VerificadorDeAtualizacao> atualizacao;
    std::unique_ptr<SituacaoDoPreenchimento> preenchimento;
    int atualizacoesDoPreenchimento = 0;
    // The fake owner check: its answer, whether it can run, the reasons it was shown, and the
    // prompts still open when `segurarDono` keeps them waiting for `responderDono`.
    bool donoConfirma = true;
    bool donoDisponivel = true;
    bool segurarDono = false;
    QStringList motivos;
    QList<std::function<void(bool)>> pendentes;
    void responderDono(bool confirma);
    // The AutoFill switch the host reports (off at first).
    void definirRepositorioLigado(bool ligado) { identidades->ligadoAgora = ligado; }
    // Addresses the update checker and the help links opened.
    QList<QUrl> abertos;
    ModeloDosAjustes *modelo = nullptr;
};
