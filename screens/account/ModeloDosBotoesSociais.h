// The Apple, Google and passkey buttons' model: each opens the site's sign-in page in the
// browser and waits for its callback; an Apple or Google identity is then checked with the
// server and handed on (to the window's account screen, and as `identificado`), a passkey opens
// the vault. A callback that arrived while nothing waited is finished the same way. A flow that
// ends after its screen was replaced still moves the window (the navigation outlives the
// screens); only its message is dropped.
#pragma once

#include "NavegacaoDaConta.h"
#include "state/EstadoDoApp.h"

#include "state/EntradaPeloSafari.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QtQml/qqmlregistration.h>


class ModeloDosBotoesSociais : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(EstadoDoApp *estado READ estado WRITE definirEstado NOTIFY estadoMudou)
    // Where an identified account goes (the rule of the account screens); may be absent.
    Q_PROPERTY(NavegacaoDaConta *tela READ tela WRITE definirTela NOTIFY telaMudou)
    // The provider whose page is awaited ("apple", "google", "passkey"); empty when none.
    Q_PROPERTY(QString aguardando READ aguardando NOTIFY aguardandoMudou)
    Q_PROPERTY(QString navegador READ navegador CONSTANT)
    // The waiting card's second line for the awaited provider; once the wait ends it keeps the
    // last provider's line, so the card leaves with the text it showed.
    Q_PROPERTY(QString explicacaoDoAguardo READ explicacaoDoAguardo NOTIFY aguardandoMudou)
    // The message under the buttons; empty when none.
    Q_PROPERTY(QString erro READ erro NOTIFY erroMudou)

public:
    // The browser part of every flow fails with this text.
    static constexpr const char *textoDaFalhaNoNavegador = "Não foi possível continuar com essa conta. Tente de novo.";

    explicit ModeloDosBotoesSociais(QObject *pai = nullptr);

    [[nodiscard]] EstadoDoApp *estado() const { return estado_; }
    void definirEstado(EstadoDoApp *estado);
    [[nodiscard]] NavegacaoDaConta *tela() const { return tela_; }
    void definirTela(NavegacaoDaConta *tela);
    [[nodiscard]] QString aguardando() const;
    [[nodiscard]] static QString navegador() { return EntradaPeloSafari::nomeDoNavegador(); }
    [[nodiscard]] QString explicacaoDoAguardo() const;
    [[nodiscard]] const QString &erro() const { return erro_; }

    // The three buttons; each starts its flow and returns at once.
    Q_INVOKABLE void entrarComApple();
    Q_INVOKABLE void entrarComGoogle();
    Q_INVOKABLE void entrarComPasskey();
    // The waiting card: the last page again (nothing without one), or give up the wait.
    Q_INVOKABLE void reabrir();
    Q_INVOKABLE void cancelar();
    // As the buttons come on screen: finishes a callback that arrived while nothing waited.
    Q_INVOKABLE void aoMostrar();

signals:
    void estadoMudou();
    void telaMudou();
    void aguardandoMudou();
    void erroMudou();
    // An Apple or Google identity the server answered for (a RespostaSocialNaTela).
    void identificado(const QVariant &resposta);

private:
    enum class Espera { provedor, passkey };

    static QCoro::Task<> fluxo(QPointer<ModeloDosBotoesSociais> eu, QPointer<EstadoDoApp> estado,
                               QPointer<NavegacaoDaConta> tela, QString provedor, Espera espera);
    static QCoro::Task<> concluir(QPointer<ModeloDosBotoesSociais> eu, QPointer<EstadoDoApp> estado,
                                  QPointer<NavegacaoDaConta> tela, EntradaPeloSafari::Resultado resultado,
                                  QString provedor);
    void iniciar(const QString &provedor, Espera espera);
    void tomarRetornoAvulso();
    void aoMudarAguardando();
    void definirErro(const QString &valor);

    QPointer<EstadoDoApp> estado_;
    QPointer<NavegacaoDaConta> tela_;
    QString erro_;
    // The provider of the current wait, or of the last one after it ended.
    QString ultimoAguardado_;
};
