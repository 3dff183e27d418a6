// A small blocking HTTP client for the server's own tests: one request at a time through
// QNetworkAccessManager, waited for in a local event loop (the server runs on this same thread).
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <optional>
#include <stdexcept>

struct RespostaHttp {
    int status = 0; // 0 when no HTTP answer came
    QNetworkReply::NetworkError erro = QNetworkReply::NoError;
    QByteArray tipoDoConteudo;
    QByteArray corpo;

    [[nodiscard]] QJsonObject json() const { return QJsonDocument::fromJson(corpo).object(); }
    [[nodiscard]] QString erroDoCorpo() const { return json().value(QStringLiteral("erro")).toString(); }
};

class ClienteDeTeste {
public:
    explicit ClienteDeTeste(QUrl base) : base_(std::move(base)) {}

    RespostaHttp pedir(const QByteArray &metodo, const QString &caminho,
                       const std::optional<QJsonObject> &corpo = std::nullopt, const QString &token = {})
    {
        QNetworkRequest pedido(base_.resolved(QUrl(caminho)));
        pedido.setRawHeader("Accept", "application/json");
        if (!token.isEmpty())
            pedido.setRawHeader("Authorization", "Bearer " + token.toUtf8());
        QByteArray bytes;
        if (corpo) {
            pedido.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
            bytes = QJsonDocument(*corpo).toJson(QJsonDocument::Compact);
        }
        QNetworkReply *resposta = rede_.sendCustomRequest(pedido, metodo, bytes);
        QEventLoop laco;
        QObject::connect(resposta, &QNetworkReply::finished, &laco, &QEventLoop::quit);
        QTimer::singleShot(10000, &laco, &QEventLoop::quit);
        laco.exec();
        if (!resposta->isFinished()) {
            resposta->abort();
            resposta->deleteLater();
            throw std::runtime_error("the development server did not answer in time");
        }
        RespostaHttp resultado;
        resultado.status = resposta->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        resultado.erro = resposta->error();
        resultado.tipoDoConteudo = resposta->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        resultado.corpo = resposta->readAll();
        resposta->deleteLater();
        return resultado;
    }

private:
    QUrl base_;
    QNetworkAccessManager rede_;
};
