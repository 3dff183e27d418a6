// What the sign-in form and the vault password of a social account share: the two steps of
// `EtapasDaEntrada` with their texts, and the navigation's overlay while a code is checked.
#pragma once

#include "EtapasDaEntrada.h"
#include "NavegacaoDaConta.h"
#include "state/EstadoDoApp.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

class EntradaEmDuasEtapas : public QObject, public EtapasDaEntrada<EntradaEmDuasEtapas> {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(EstadoDoApp *estado READ estado WRITE definirEstado NOTIFY estadoMudou)
    Q_PROPERTY(NavegacaoDaConta *tela READ tela WRITE definirTela NOTIFY telaMudou)
    Q_PROPERTY(QString senha READ senha WRITE definirSenha NOTIFY senhaMudou)
    Q_PROPERTY(QString codigo READ codigo WRITE definirCodigo NOTIFY codigoMudou)
    Q_PROPERTY(bool pedeCodigo READ pedeCodigo NOTIFY pedeCodigoMudou)
    // The message under the fields; empty when there is none.
    Q_PROPERTY(QString erro READ erro NOTIFY erroMudou)
    Q_PROPERTY(bool enviando READ enviando NOTIFY enviandoMudou)
    // Ready to send in the current step (the button is enabled only while this holds and
    // nothing is being sent).
    Q_PROPERTY(bool pronto READ pronto NOTIFY prontoMudou)
    Q_PROPERTY(QString titulo READ titulo NOTIFY pedeCodigoMudou)
    Q_PROPERTY(QString texto READ texto NOTIFY textoMudou)
    Q_PROPERTY(QString tituloDoBotao READ tituloDoBotao NOTIFY pedeCodigoMudou)

public:
    explicit EntradaEmDuasEtapas(QObject *pai = nullptr);

    [[nodiscard]] EstadoDoApp *estado() const { return estado_; }
    void definirEstado(EstadoDoApp *estado);
    [[nodiscard]] NavegacaoDaConta *tela() const { return tela_; }
    void definirTela(NavegacaoDaConta *tela);
    [[nodiscard]] bool pronto() const;
    [[nodiscard]] QString titulo() const;
    [[nodiscard]] virtual QString texto() const;
    [[nodiscard]] QString tituloDoBotao() const;

    // Starts a submission unless one runs or the step is not ready; returns at once.
    Q_INVOKABLE void enviar();

signals:
    void estadoMudou();
    void telaMudou();
    void senhaMudou();
    void codigoMudou();
    void pedeCodigoMudou();
    void erroMudou();
    void enviandoMudou();
    void prontoMudou();
    void textoMudou();
    // A submission failed: the field of the step shown takes the keyboard again.
    void focoPedido();

protected:
    [[nodiscard]] virtual bool prontoNaEtapaDaSenha() const = 0;
    [[nodiscard]] virtual QString tituloNaEtapaDaSenha() const = 0;
    // The first sign-in step with what was typed.
    [[nodiscard]] virtual QCoro::Task<EntradaPendente> preparar(EstadoDoApp &estado) const = 0;
    // The code step shows the "Entrando" overlay while the code is checked.
    [[nodiscard]] virtual bool sobreposicaoNoCodigo() const = 0;

private:
    static QCoro::Task<> submeter(QPointer<EntradaEmDuasEtapas> eu);

    QPointer<EstadoDoApp> estado_;
    QPointer<NavegacaoDaConta> tela_;
};
