// The settings window's rules: the account lines, the protection switch behind the owner check
// (one prompt at a time), the lock delay, the generator's defaults, the update section's texts
// and the help links. Every value is read from the state's preferences, which store each change
// at once; the window keeps nothing of its own.
#pragma once

#include "state/EstadoDoApp.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <QCoro/QCoroTask>

#include <functional>
#include <optional>

class ModeloDosAjustes : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(EstadoDoApp *estado READ estado WRITE definirEstado NOTIFY estadoMudou)
    Q_PROPERTY(bool temConta READ temConta NOTIFY contaMudou)
    Q_PROPERTY(QString nome READ nome NOTIFY contaMudou)
    Q_PROPERTY(QString email READ email NOTIFY contaMudou)
    Q_PROPERTY(QString rotuloDaProtecao READ rotuloDaProtecao CONSTANT)
    Q_PROPERTY(bool protegerApp READ protegerApp NOTIFY preferenciasMudou)
    // Whether the owner check can run at all; read again by `conferirDisponibilidade`.
    Q_PROPERTY(bool protecaoDisponivel READ protecaoDisponivel NOTIFY protecaoDisponivelMudou)
    // An owner prompt started by the switch is open.
    Q_PROPERTY(bool pedindoDono READ pedindoDono NOTIFY pedindoDonoMudou)
    Q_PROPERTY(bool bloqueioHabilitado READ protegerApp NOTIFY preferenciasMudou)
    Q_PROPERTY(QStringList opcoesDeBloqueio READ opcoesDeBloqueio CONSTANT)
    Q_PROPERTY(int indiceDoBloqueio READ indiceDoBloqueio NOTIFY preferenciasMudou)
    Q_PROPERTY(int tamanho READ tamanho NOTIFY preferenciasMudou)
    Q_PROPERTY(bool podeDiminuir READ podeDiminuir NOTIFY preferenciasMudou)
    Q_PROPERTY(bool podeAumentar READ podeAumentar NOTIFY preferenciasMudou)
    Q_PROPERTY(QString textoDoTamanho READ textoDoTamanho NOTIFY preferenciasMudou)
    Q_PROPERTY(bool maiusculas READ maiusculas NOTIFY preferenciasMudou)
    Q_PROPERTY(QString notaDaSeguranca READ notaDaSeguranca CONSTANT)
    Q_PROPERTY(QString mensagemDeSaida READ mensagemDeSaida CONSTANT)
    Q_PROPERTY(QString versaoInstalada READ versaoInstalada CONSTANT)
    // [{texto, url}] in order; empty without a site address.
    Q_PROPERTY(QVariantList linksDeAjuda READ linksDeAjuda CONSTANT)

public:
    static constexpr int tamanhoMinimo = 12;
    static constexpr int tamanhoMaximo = 64;

    using Abridor = std::function<void(const QUrl &)>;

    explicit ModeloDosAjustes(QObject *pai = nullptr);

    [[nodiscard]] EstadoDoApp *estado() const { return estado_; }
    void definirEstado(EstadoDoApp *estado);

    [[nodiscard]] bool temConta() const;
    // The account's name, "Sem nome" when empty.
    [[nodiscard]] QString nome() const;
    [[nodiscard]] QString email() const;
    [[nodiscard]] static QString rotuloDaProtecao();
    [[nodiscard]] bool protegerApp() const;
    [[nodiscard]] bool protecaoDisponivel() const { return protecaoDisponivel_; }
    [[nodiscard]] bool pedindoDono() const { return pedindoDono_; }
    [[nodiscard]] static QStringList opcoesDeBloqueio();
    [[nodiscard]] int indiceDoBloqueio() const;
    [[nodiscard]] int tamanho() const;
    [[nodiscard]] bool podeDiminuir() const { return tamanho() > tamanhoMinimo; }
    [[nodiscard]] bool podeAumentar() const { return tamanho() < tamanhoMaximo; }
    [[nodiscard]] QString textoDoTamanho() const;
    [[nodiscard]] bool maiusculas() const;
    [[nodiscard]] static QString notaDaSeguranca();
    [[nodiscard]] static QString mensagemDeSaida();
    [[nodiscard]] static QString versaoInstalada();
    [[nodiscard]] static QVariantList linksDeAjuda();

    // "Tamanho: <n> caracteres".
    [[nodiscard]] static QString textoDoTamanho(qint64 tamanho);
    [[nodiscard]] static int limitarTamanho(qint64 tamanho);
    // The reason the owner prompt shows for turning protection on or off.
    [[nodiscard]] static QString motivoDaProtecao(bool ligar);
    // The update section's line and button while no update is known.
    [[nodiscard]] Q_INVOKABLE static QString textoDaConferencia(bool conferidoAgora);
    [[nodiscard]] Q_INVOKABLE static QString tituloDaProcura(bool conferindo);
    // The update section's download button for `versao`.
    [[nodiscard]] Q_INVOKABLE static QString textoDoDownload(const QString &versao);

    // The switch flipped to `valor`: asks the owner and stores `valor` only when confirmed. While
    // a prompt is open further flips are ignored, so the switch settles on that prompt's answer.
    Q_INVOKABLE void alternarProtecao(bool valor);
    Q_INVOKABLE void escolherBloqueio(int indice);
    // Stores the length clamped to 12–64; the other generator options keep their values.
    Q_INVOKABLE void definirTamanho(int tamanho);
    Q_INVOKABLE void definirMaiusculas(bool valor);
    // Asks again whether the owner check can run (the window becoming active, a redraw).
    Q_INVOKABLE void conferirDisponibilidade();
    // The confirmed sign-out.
    Q_INVOKABLE void sair();
    Q_INVOKABLE void abrirLink(const QUrl &url);
    // How links open (the default browser; tests record).
    void definirAbridor(Abridor abridor) { abridor_ = std::move(abridor); }

signals:
    void estadoMudou();
    void contaMudou();
    void preferenciasMudou();
    void protecaoDisponivelMudou();
    void pedindoDonoMudou();

private:
    QCoro::Task<> pedirDono(bool valor);
    void definirPedindoDono(bool valor);

    QPointer<EstadoDoApp> estado_;
    QList<QMetaObject::Connection> ligacoes_;
    bool protecaoDisponivel_ = false;
    bool pedindoDono_ = false;
    Abridor abridor_;
};
