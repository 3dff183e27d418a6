// The showcase's three sample code items and what a sample card shows at a moment: title,
// account, the live code in its display form and the countdown, computed with the real
// one-time-code operations from the sample secrets.
#pragma once

#include "core/ConteudoDoItem.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// GitHub, Google and Nubank, built once on first use.
[[nodiscard]] const QList<DadosDeCodigo> &exemplosDaVitrine();

// What one card shows for `dados` at `agora`.
struct LeituraDoCartao {
    QString titulo;
    QString conta;    // "conta" when it is a text, else empty
    QString codigo;   // display form; empty when the parameters give no code
    qint64 periodo = 30;
    qint64 segundosRestantes = 30;
};
[[nodiscard]] LeituraDoCartao lerCartao(const DadosDeCodigo &dados, const QDateTime &agora);

// A sample card's reading for QML: `exemplo` indexes the samples, `agora` is the card's time.
class LeituraDoExemplo : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(int exemplo READ exemplo WRITE definirExemplo NOTIFY exemploMudou)
    Q_PROPERTY(QDateTime agora READ agora WRITE definirAgora NOTIFY agoraMudou)
    Q_PROPERTY(QString titulo READ titulo NOTIFY exemploMudou)
    Q_PROPERTY(QString conta READ conta NOTIFY exemploMudou)
    Q_PROPERTY(QString codigo READ codigo NOTIFY codigoMudou)
    Q_PROPERTY(int periodo READ periodo NOTIFY exemploMudou)
    // A new period has just begun (the ring refills without animating). Notified before the fraction.
    Q_PROPERTY(bool periodoNovo READ periodoNovo NOTIFY periodoNovoMudou)
    Q_PROPERTY(int segundosRestantes READ segundosRestantes NOTIFY segundosMudaram)
    Q_PROPERTY(double fracao READ fracao NOTIFY segundosMudaram)
    // Fewer than 6 seconds left: the ring and its number turn amber.
    Q_PROPERTY(bool acabando READ acabando NOTIFY segundosMudaram)

public:
    explicit LeituraDoExemplo(QObject *parent = nullptr);

    [[nodiscard]] int exemplo() const { return exemplo_; }
    void definirExemplo(int exemplo);
    [[nodiscard]] QDateTime agora() const { return agora_; }
    void definirAgora(const QDateTime &agora);

    [[nodiscard]] QString titulo() const { return leitura_.titulo; }
    [[nodiscard]] QString conta() const { return leitura_.conta; }
    [[nodiscard]] QString codigo() const { return leitura_.codigo; }
    [[nodiscard]] int periodo() const { return static_cast<int>(leitura_.periodo); }
    [[nodiscard]] bool periodoNovo() const { return leitura_.segundosRestantes == leitura_.periodo; }
    [[nodiscard]] int segundosRestantes() const { return static_cast<int>(leitura_.segundosRestantes); }
    [[nodiscard]] double fracao() const
    {
        return static_cast<double>(leitura_.segundosRestantes) / static_cast<double>(leitura_.periodo);
    }
    [[nodiscard]] bool acabando() const { return leitura_.segundosRestantes < 6; }

signals:
    void exemploMudou();
    void agoraMudou();
    void codigoMudou();
    void periodoNovoMudou();
    void segundosMudaram();

private:
    void ler();

    int exemplo_ = 0;
    QDateTime agora_;
    LeituraDoCartao leitura_;
};
