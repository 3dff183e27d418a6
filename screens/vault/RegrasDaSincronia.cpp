#include "RegrasDaSincronia.h"

#include "servicos/TextosDoComputador.h"

#include <QLocale>

namespace {

// The application's texts are Brazilian Portuguese: its times and dates are written that way.
const QLocale &localDoApp()
{
    static const QLocale local(QLocale::Portuguese, QLocale::Brazil);
    return local;
}

} // namespace

QString RegrasDaSincronia::estadoDaLinha(bool precisaEntrarDeNovo, bool semConexao, bool falhou)
{
    if (precisaEntrarDeNovo)
        return QStringLiteral("sessaoEncerrada");
    if (semConexao)
        return QStringLiteral("semConexao");
    if (falhou)
        return QStringLiteral("falhou");
    return QStringLiteral("ocioso");
}

bool RegrasDaSincronia::trocaAnimada(const QString &de, const QString &para)
{
    if (de == para)
        return false;
    const auto animado = [](const QString &estado) {
        return estado == QLatin1String("sessaoEncerrada") || estado == QLatin1String("falhou");
    };
    return animado(de) || animado(para);
}

QString RegrasDaSincronia::textoDaUltimaSincronia(const std::optional<QDateTime> &ultima, const QDateTime &agora,
                                                  const QTimeZone &fuso)
{
    if (!ultima)
        return QStringLiteral("Sincronizando com sua conta");
    const qint64 segundos = ultima->secsTo(agora);
    if (segundos < 60)
        return QStringLiteral("Sincronizado agora");
    const qint64 minutos = segundos / 60;
    if (minutos <= 59)
        return QStringLiteral("Sincronizado há %1 min").arg(minutos);

    const QDateTime quando = ultima->toTimeZone(fuso);
    const QDate hoje = agora.toTimeZone(fuso).date();
    const QString hora = localDoApp().toString(quando.time(), QLocale::ShortFormat);
    if (quando.date() >= hoje)
        return QStringLiteral("Sincronizado às ") + hora;
    // Before today the time alone would read as today's: the date goes in front, without the
    // year while it is this year's.
    const QString formato = quando.date().year() == hoje.year() ? QStringLiteral("dd/MM") : QStringLiteral("dd/MM/yyyy");
    return QStringLiteral("Sincronizado em %1 às %2").arg(localDoApp().toString(quando.date(), formato), hora);
}

QString RegrasDaSincronia::noComputador(const QString &doMac)
{
    return ::noComputador(doMac);
}

QString RegrasDaSincronia::tituloDosIlegiveis(int total)
{
    if (total == 1)
        return ::noComputador(u"1 item ainda não abriu neste Mac");
    return QString::number(total) + ::noComputador(u" itens ainda não abriram neste Mac");
}

RegrasDaSincronia::AvisoDeEntrada RegrasDaSincronia::avisoAoEntrarDeNovo(const std::optional<QDateTime> &antes,
                                                                         const std::optional<QDateTime> &depois,
                                                                         bool semConexao, bool falhou)
{
    const bool avancou = depois && (!antes || *depois > *antes);
    if (avancou && !semConexao && !falhou)
        return {QStringLiteral("Sincronizado"), QStringLiteral("checkmark.icloud.fill")};
    return {QStringLiteral("Você entrou de novo."), QStringLiteral("checkmark.circle.fill")};
}

RegrasDaSincronia::Passo RegrasDaSincronia::passoDoLaco(bool cancelado, bool cofreAtual, bool emPrimeiroPlano)
{
    if (cancelado || !cofreAtual)
        return Passo::encerrar;
    return emPrimeiroPlano ? Passo::sincronizar : Passo::esperar;
}
