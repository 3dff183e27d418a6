#include "SessaoWayland.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>

namespace SessaoWayland {

std::optional<QString> faltando()
{
    if (QStandardPaths::findExecutable(QStringLiteral("sway")).isEmpty())
        return QStringLiteral("sway is not installed (scripts/instalar-dependencias installs it)");
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qEnvironmentVariableIsEmpty("SWAYSOCK"))
        return QStringLiteral("not inside a Wayland session: run under scripts/com-wayland");
#ifndef CORVANE_CLIQUE_WAYLAND
    return QStringLiteral("built without the virtual pointer helper (wayland-scanner, libwayland-dev)");
#endif
    if (QGuiApplication::platformName() != QLatin1String("wayland"))
        return QStringLiteral("Qt's Wayland platform did not load (is qt6-wayland installed?)");
    return std::nullopt;
}

bool exigida()
{
    return qEnvironmentVariable("CORVANE_EXIGIR_WAYLAND") == QLatin1String("1");
}

Saida executar(const QString &programa, const QStringList &argumentos, int limiteMs)
{
    QProcess processo;
    processo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    processo.start(programa, argumentos);
    processo.closeWriteChannel();
    // The event loop keeps turning, so our own windows and clipboard keep answering the
    // compositor while the tool asks it.
    QElapsedTimer tempo;
    tempo.start();
    while (processo.state() != QProcess::NotRunning && tempo.elapsed() < limiteMs)
        QTest::qWait(10);
    if (processo.state() != QProcess::NotRunning) {
        processo.kill();
        processo.waitForFinished();
        return {};
    }
    return {processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1, processo.readAllStandardOutput()};
}

namespace {

template <typename Criterio>
std::optional<QJsonObject> procurar(const QJsonObject &no, const Criterio &criterio)
{
    if (criterio(no) && no.value(QStringLiteral("visible")).toBool())
        return no;
    for (const QString &chave : {QStringLiteral("nodes"), QStringLiteral("floating_nodes")})
        for (const QJsonValue &filho : no.value(chave).toArray())
            if (auto achado = procurar(filho.toObject(), criterio))
                return achado;
    return std::nullopt;
}

template <typename Criterio>
std::optional<QJsonObject> esperarJanela(const Criterio &criterio, int limiteMs)
{
    QElapsedTimer tempo;
    tempo.start();
    while (tempo.elapsed() < limiteMs) {
        const Saida arvore = executar(QStringLiteral("swaymsg"), {QStringLiteral("-r"), QStringLiteral("-t"), QStringLiteral("get_tree")});
        if (arvore.codigo == 0)
            if (auto achada = procurar(QJsonDocument::fromJson(arvore.saida).object(), criterio))
                return achada;
        QTest::qWait(100);
    }
    return std::nullopt;
}

} // namespace

std::optional<QJsonObject> janela(const QString &appId, int limiteMs)
{
    return esperarJanela([&](const QJsonObject &no) { return no.value(QStringLiteral("app_id")).toString() == appId; },
                         limiteMs);
}

std::optional<QJsonObject> janelaDoProcesso(qint64 pid, int limiteMs)
{
    return esperarJanela(
        [&](const QJsonObject &no) {
            return no.value(QStringLiteral("pid")).toInteger() == pid && no.contains(QStringLiteral("app_id"));
        },
        limiteMs);
}

bool comandar(const QString &criterio, const QString &comando)
{
    const Saida resposta = executar(QStringLiteral("swaymsg"), {criterio + QLatin1Char(' ') + comando});
    if (resposta.codigo != 0)
        return false;
    // One answer per command, each with its "success".
    const QJsonArray respostas = QJsonDocument::fromJson(resposta.saida).array();
    return !respostas.isEmpty() && std::all_of(respostas.begin(), respostas.end(), [](const QJsonValue &r) {
        return r.toObject().value(QStringLiteral("success")).toBool();
    });
}

QRect retangulo(const QJsonObject &janela)
{
    const QJsonObject r = janela.value(QStringLiteral("rect")).toObject();
    return {r.value(QStringLiteral("x")).toInt(), r.value(QStringLiteral("y")).toInt(),
            r.value(QStringLiteral("width")).toInt(), r.value(QStringLiteral("height")).toInt()};
}

QString pastaDeSaida()
{
    QString pasta = qEnvironmentVariable("CORVANE_SAIDA_WAYLAND");
    if (pasta.isEmpty())
        pasta = QDir::tempPath();
    QDir().mkpath(pasta);
    return pasta;
}

QImage capturar(const QString &nome, const QRect &area)
{
    const QString arquivo = pastaDeSaida() + QLatin1Char('/') + nome + QStringLiteral(".png");
    QStringList argumentos;
    if (!area.isNull())
        argumentos << QStringLiteral("-g")
                   << QStringLiteral("%1,%2 %3x%4").arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height());
    argumentos << arquivo;
    if (executar(QStringLiteral("grim"), argumentos).codigo != 0)
        return {};
    return QImage(arquivo);
}

QStringList tiposNaAreaDeTransferencia()
{
    const Saida tipos = executar(QStringLiteral("wl-paste"), {QStringLiteral("--list-types")});
    if (tipos.codigo != 0)
        return {};
    return QString::fromUtf8(tipos.saida).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QByteArray textoNaAreaDeTransferencia()
{
    const Saida texto = executar(QStringLiteral("wl-paste"), {QStringLiteral("--no-newline"), QStringLiteral("--type"), QStringLiteral("text/plain")});
    return texto.codigo == 0 ? texto.saida : QByteArray();
}

bool clicar(QPoint ponto)
{
#ifdef CORVANE_CLIQUE_WAYLAND
    return executar(QStringLiteral(CORVANE_CLIQUE_WAYLAND), {QString::number(ponto.x()), QString::number(ponto.y())}).codigo == 0;
#else
    Q_UNUSED(ponto);
    return false;
#endif
}

std::optional<double> centroDoAzul(const QImage &imagem)
{
    const QImage rgb = imagem.convertToFormat(QImage::Format_RGB32);
    double soma = 0;
    qint64 quantos = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *linha = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = linha[x];
            if (qRed(p) < 100 && qGreen(p) > 90 && qGreen(p) < 150 && qBlue(p) > 220) {
                soma += x;
                ++quantos;
            }
        }
    }
    if (quantos < 100)
        return std::nullopt;
    return soma / double(quantos);
}

int cores(const QImage &imagem, int limite)
{
    QSet<QRgb> vistas;
    const QImage rgb = imagem.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); y += 2) {
        const auto *linha = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); x += 2) {
            vistas.insert(linha[x]);
            if (vistas.size() >= limite)
                return limite;
        }
    }
    return int(vistas.size());
}

} // namespace SessaoWayland
