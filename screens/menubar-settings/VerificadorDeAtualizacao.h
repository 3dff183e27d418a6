// The update check: downloads the small manifest the web site publishes, compares its version
// with the installed one and keeps a newer one, which the banner announces and whose download
// page it opens. One instance for the whole run. Main thread.
#pragma once

#include <QCoro/QCoroTask>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QtQml/qqmlregistration.h>
#include <QString>
#include <QUrl>
#include <QVariant>

#include <chrono>
#include <functional>
#include <optional>

// The manifest's content: {"versao", "url", optional "novidades"}; other keys are ignored.
struct VersaoPublicada {
    Q_GADGET
    Q_PROPERTY(QString versao MEMBER versao)
    Q_PROPERTY(QString url MEMBER url)
    Q_PROPERTY(QVariant novidades READ novidadesParaQml)

public:
    QString versao;
    QString url;
    std::optional<QString> novidades;

    // Nothing unless the body is a JSON object whose "versao" and "url" are texts and whose
    // "novidades", when present and not null, is a text.
    [[nodiscard]] static std::optional<VersaoPublicada> ler(const QByteArray &corpo);
    [[nodiscard]] QVariant novidadesParaQml() const { return novidades ? QVariant(*novidades) : QVariant(); }

    friend bool operator==(const VersaoPublicada &, const VersaoPublicada &) = default;
};
Q_DECLARE_METATYPE(VersaoPublicada)

// The installed version: the bundle's "CFBundleShortVersionString" when it is a text, else "0".
[[nodiscard]] QString versaoInstalada();
// Whether `publicada` is newer than `instalada`: dot-separated whole numbers (empty pieces
// dropped, a piece that is not a number in full counts as 0, missing positions count as 0)
// compared position by position.
[[nodiscard]] bool versaoMaisNova(const QString &publicada, const QString &instalada);
// Whether the download page may be handed to the desktop: https, or http to this machine only
// (the development site); no other scheme, nothing without a host.
[[nodiscard]] bool enderecoDeDownloadAceito(const QUrl &url);

class VerificadorDeAtualizacao : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The update checker is created by the program.")
    Q_PROPERTY(QVariant disponivel READ disponivelParaQml NOTIFY disponivelMudou)
    Q_PROPERTY(bool conferindo READ conferindo NOTIFY conferindoMudou)
    Q_PROPERTY(bool conferidoAgora READ conferidoAgora NOTIFY conferidoAgoraMudou)
    Q_PROPERTY(QString textoDaFaixa READ textoDaFaixa NOTIFY disponivelMudou)

public:
    static constexpr std::chrono::seconds limite{10};

    // Opens an address with the desktop's handler; replaced in tests.
    using Abridor = std::function<void(const QUrl &)>;

    explicit VerificadorDeAtualizacao(QObject *pai = nullptr);

    [[nodiscard]] const std::optional<VersaoPublicada> &disponivel() const { return disponivel_; }
    [[nodiscard]] QVariant disponivelParaQml() const;
    [[nodiscard]] bool conferindo() const { return conferindo_; }
    [[nodiscard]] bool conferidoAgora() const { return conferidoAgora_; }
    // "A versão 1.4.2 do Corvane está disponível."; empty while nothing newer is known.
    [[nodiscard]] QString textoDaFaixa() const;

    // One check: the manifest "downloads/mac.json" under the site's address, never from a cache,
    // 10 seconds at most, status 200 only. A call while one runs returns at once. A failure
    // (no site address, transport, status, unreadable manifest) only ends the check. Never throws.
    QCoro::Task<> procurar();
    // The same, started from QML or a menu command without waiting for it.
    Q_INVOKABLE void comecarProcura();
    // Opens the download page of the available version when its address is accepted
    // (see enderecoDeDownloadAceito); otherwise does nothing.
    Q_INVOKABLE void abrirDownload();

    void definirAbridor(Abridor abridor);

signals:
    void disponivelMudou();
    void conferindoMudou();
    void conferidoAgoraMudou();

private:
    // Reads a finished reply: the result of one check, then the check's end.
    void concluirProcura(QNetworkReply *resposta);
    void definirDisponivel(std::optional<VersaoPublicada> valor);
    void definirConferindo(bool valor);
    void definirConferidoAgora(bool valor);

    std::optional<VersaoPublicada> disponivel_;
    bool conferindo_ = false;
    bool conferidoAgora_ = false;
    QNetworkAccessManager rede_;
    Abridor abridor_;
};
