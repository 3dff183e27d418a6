#include "kit/MovimentoReduzido.h"

#include <QJSEngine>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

MovimentoReduzido::MovimentoReduzido()
{
    lerDoSistema();
}

MovimentoReduzido &MovimentoReduzido::instancia()
{
    static MovimentoReduzido movimento;
    return movimento;
}

MovimentoReduzido *MovimentoReduzido::create(QQmlEngine *, QJSEngine *)
{
    MovimentoReduzido *movimento = &instancia();
    QJSEngine::setObjectOwnership(movimento, QJSEngine::CppOwnership);
    return movimento;
}

void MovimentoReduzido::definir(bool ativo)
{
    if (ativo == ativo_)
        return;
    ativo_ = ativo;
    emit ativoMudou();
}

std::optional<bool> MovimentoReduzido::deGnome(const QString &saida)
{
    const QString valor = saida.trimmed();
    if (valor == QLatin1String("false"))
        return true;
    if (valor == QLatin1String("true"))
        return false;
    return std::nullopt;
}

std::optional<bool> MovimentoReduzido::deKde(const QString &fator)
{
    bool numero = false;
    const double valor = fator.trimmed().toDouble(&numero);
    if (!numero || valor < 0)
        return std::nullopt;
    return valor == 0;
}

namespace {

std::optional<bool> lerDoKde()
{
    const QString kdeglobals = QStandardPaths::locate(QStandardPaths::GenericConfigLocation, QStringLiteral("kdeglobals"));
    if (kdeglobals.isEmpty())
        return std::nullopt;
    const QSettings kde(kdeglobals, QSettings::IniFormat);
    return MovimentoReduzido::deKde(kde.value(QStringLiteral("KDE/AnimationDurationFactor")).toString());
}

std::optional<bool> lerDoGnome()
{
    const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (gsettings.isEmpty())
        return std::nullopt;
    QProcess processo;
    processo.start(gsettings, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
                               QStringLiteral("enable-animations")});
    if (!processo.waitForFinished(2000)) {
        processo.kill();
        processo.waitForFinished();
        return std::nullopt;
    }
    return MovimentoReduzido::deGnome(QString::fromUtf8(processo.readAllStandardOutput()));
}

} // namespace

void MovimentoReduzido::lerDoSistema()
{
    // The running desktop's own setting first; the other one only when it says nothing.
    const bool kde = qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(QLatin1String("KDE"), Qt::CaseInsensitive);
    std::optional<bool> reduzir = kde ? lerDoKde() : lerDoGnome();
    if (!reduzir)
        reduzir = kde ? lerDoGnome() : lerDoKde();
    if (reduzir)
        definir(*reduzir);
}
