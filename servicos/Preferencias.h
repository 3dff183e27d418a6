// The application's stored preferences: lock delay, app protection, the last e-mail used to sign
// in and the password generator's defaults. Values are read once at construction; every
// assignment writes through to the defaults store, and observers hear only of real changes.
#pragma once

#include "servicos/OpcaoDeBloqueio.h"
#include "core/GeradorDeSenha.h"
#include "plataforma/Padroes.h"

#include <QObject>
#include <QString>

inline constexpr const char *chaveDoBloqueio = "bloqueio";
inline constexpr const char *chaveDeProtegerApp = "proteger-app";
inline constexpr const char *chaveDoUltimoEmail = "ultimo-email";
inline constexpr const char *chaveDasOpcoesDoGerador = "opcoes-do-gerador";

class Preferencias : public QObject {
    Q_OBJECT
    Q_PROPERTY(OpcaoDeBloqueio bloqueio READ bloqueio WRITE definirBloqueio NOTIFY bloqueioMudou)
    Q_PROPERTY(bool protegerApp READ protegerApp WRITE definirProtegerApp NOTIFY protegerAppMudou)
    Q_PROPERTY(OpcoesDeSenha opcoesDoGerador READ opcoesDoGerador WRITE definirOpcoesDoGerador NOTIFY
                   opcoesDoGeradorMudou)
    Q_PROPERTY(QString ultimoEmail READ ultimoEmail WRITE definirUltimoEmail NOTIFY ultimoEmailMudou)

public:
    // The application group's suite (named by the bundle's "GrupoDoApp"), or the standard suite
    // when the group's container cannot be had.
    explicit Preferencias(QObject *parent = nullptr);
    // Over a given store (tests).
    explicit Preferencias(Padroes armazenamento, QObject *parent = nullptr);

    [[nodiscard]] OpcaoDeBloqueio bloqueio() const { return bloqueio_; }
    [[nodiscard]] bool protegerApp() const { return protegerApp_; }
    [[nodiscard]] const OpcoesDeSenha &opcoesDoGerador() const { return opcoesDoGerador_; }
    // Empty when none is stored.
    [[nodiscard]] const QString &ultimoEmail() const { return ultimoEmail_; }

    void definirBloqueio(OpcaoDeBloqueio valor);
    void definirProtegerApp(bool valor);
    void definirOpcoesDoGerador(const OpcoesDeSenha &valor);
    // An empty text is stored as an empty string, not removed.
    void definirUltimoEmail(const QString &valor);

    // The defaults store itself, for keys other parts own (the item order "ordem-<conta>").
    [[nodiscard]] Padroes &armazenamento() { return armazenamento_; }
    [[nodiscard]] const Padroes &armazenamento() const { return armazenamento_; }

signals:
    void bloqueioMudou();
    void protegerAppMudou();
    void opcoesDoGeradorMudou();
    void ultimoEmailMudou();

private:
    Padroes armazenamento_;
    OpcaoDeBloqueio bloqueio_ = OpcaoDeBloqueio::imediato;
    bool protegerApp_ = true;
    OpcoesDeSenha opcoesDoGerador_;
    QString ultimoEmail_;
};
