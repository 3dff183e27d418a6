// The vault window's rules as its QML reads them: the sections' texts by raw value (a missing or
// unknown section reads as the codes section), the header's subtitle, the code grid's columns
// and texts, and the countdown of a code period.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class RegrasDoCofre : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // The sections' raw values in sidebar order.
    Q_PROPERTY(QStringList secoes READ secoes CONSTANT)
    // The search field's shortcut hint, as this computer writes it.
    Q_PROPERTY(QString atalhoDaBusca READ atalhoDaBusca CONSTANT)
    // The sign-out confirmation's message, as this computer says it.
    Q_PROPERTY(QString mensagemDeSaida READ mensagemDeSaida CONSTANT)

public:
    using QObject::QObject;

    [[nodiscard]] static QStringList secoes();
    [[nodiscard]] static QString atalhoDaBusca();
    [[nodiscard]] static QString mensagemDeSaida();
    // The raw value the window shows for `secao` ("codigos" for none or an unknown one).
    [[nodiscard]] Q_INVOKABLE static QString secao(const QString &secao);
    [[nodiscard]] Q_INVOKABLE static QString titulo(const QString &secao);
    [[nodiscard]] Q_INVOKABLE static QString simbolo(const QString &secao);
    [[nodiscard]] Q_INVOKABLE static QString dica(const QString &secao);
    [[nodiscard]] Q_INVOKABLE static QString rotuloDeAdicionar(const QString &secao);
    [[nodiscard]] Q_INVOKABLE static QString subtitulo(const QString &secao, qint64 total);

    // Which banner tops the detail column: "entrarDeNovo" while the session has ended, else
    // "itensIlegiveis" while items do not open here, else none ("").
    [[nodiscard]] Q_INVOKABLE static QString faixa(bool precisaEntrarDeNovo, int ilegiveis);

    // The banner's line: the ended session, or how many items do not open here.
    [[nodiscard]] Q_INVOKABLE static QString textoDaFaixa(const QString &faixa, int ilegiveis);

    [[nodiscard]] Q_INVOKABLE static int colunas(double largura);
    [[nodiscard]] Q_INVOKABLE static double larguraDaColuna(double largura);
    [[nodiscard]] Q_INVOKABLE static QString nadaEncontrado(const QString &busca);

    // The countdown of a period (below 1 counts as 1) at `agora`: seconds left (1 to the
    // period), the share of the period left, and whether the last seconds have come.
    // The section gate's symbol and texts, for this computer's owner check, asked afresh on
    // every call.
    [[nodiscard]] Q_INVOKABLE static QString simboloDoPortao();
    [[nodiscard]] Q_INVOKABLE static QString textoDoPortao();
    [[nodiscard]] Q_INVOKABLE static QString botaoDoPortao();

    [[nodiscard]] Q_INVOKABLE static qint64 restantes(qint64 periodo, const QDateTime &agora);
    [[nodiscard]] Q_INVOKABLE static double fracao(qint64 periodo, const QDateTime &agora);
    [[nodiscard]] Q_INVOKABLE static bool acabando(qint64 periodo, const QDateTime &agora);
};
