#include "app/RegistroDoEsquema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace RegistroDoEsquema {

namespace {

const QString grupoDosPadroes = QStringLiteral("[Default Applications]");

QStringList pastasDoAmbiente(const char *variavel, const QString &padrao)
{
    const QString valor = qEnvironmentVariable(variavel);
    QStringList pastas;
    for (const QString &pasta : (valor.isEmpty() ? padrao : valor).split(QLatin1Char(':'), Qt::SkipEmptyParts))
        pastas.append(pasta);
    return pastas;
}

QString pastaDoAmbiente(const char *variavel, const QString &padrao)
{
    const QString valor = qEnvironmentVariable(variavel);
    return valor.isEmpty() ? padrao : valor;
}

QStringList linhasDe(const QString &caminho)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(arquivo.readAll()).split(QLatin1Char('\n'));
}

// The entries named for the scheme in the [Default Applications] group of one mimeapps.list.
QStringList padroesEm(const QString &caminho)
{
    bool noGrupo = false;
    for (const QString &linha : linhasDe(caminho)) {
        const QString limpa = linha.trimmed();
        if (limpa.startsWith(QLatin1Char('['))) {
            noGrupo = limpa == grupoDosPadroes;
            continue;
        }
        if (!noGrupo || !limpa.startsWith(QLatin1String(tipoDoEsquema)))
            continue;
        const QString resto = limpa.mid(qsizetype(qstrlen(tipoDoEsquema))).trimmed();
        if (resto.startsWith(QLatin1Char('=')))
            return resto.mid(1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    return {};
}

QStringList pastasDeAplicativos(const Pastas &pastas)
{
    QStringList lista{pastas.dadosDoUsuario + QStringLiteral("/applications")};
    for (const QString &pasta : pastas.dadosDoSistema)
        lista.append(pasta + QStringLiteral("/applications"));
    return lista;
}

// The program an entry's Exec line starts, when it names one by an absolute path.
QString programaDaEntrada(const QString &caminho)
{
    for (const QString &linha : linhasDe(caminho)) {
        if (!linha.startsWith(QLatin1String("Exec=")))
            continue;
        const QString comando = linha.mid(5).trimmed();
        if (comando.startsWith(QLatin1Char('"'))) {
            const qsizetype fim = comando.indexOf(QLatin1Char('"'), 1);
            return fim < 0 ? QString() : comando.mid(1, fim - 1).replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        }
        return comando.section(QLatin1Char(' '), 0, 0);
    }
    return {};
}

bool entradaUtilizavel(const Pastas &pastas, const QString &nome)
{
    for (const QString &pasta : pastasDeAplicativos(pastas)) {
        const QString caminho = pasta + QLatin1Char('/') + nome;
        if (!QFileInfo::exists(caminho))
            continue;
        const QString programa = programaDaEntrada(caminho);
        // A program named by a bare name is looked up at launch; an absolute one must exist.
        return !programa.startsWith(QLatin1Char('/')) || QFileInfo(programa).isExecutable();
    }
    return false;
}

bool escrever(const QString &caminho, const QByteArray &conteudo)
{
    if (!QDir().mkpath(QFileInfo(caminho).path()))
        return false;
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly))
        return false;
    arquivo.write(conteudo);
    return arquivo.commit();
}

// `linhas` with the scheme's default set to `entrada` in [Default Applications], everything
// else kept as it was.
QStringList comPadrao(QStringList linhas, const QString &entrada)
{
    const QString chave = QString::fromLatin1(tipoDoEsquema) + QLatin1Char('=') + entrada + QLatin1Char(';');
    while (!linhas.isEmpty() && linhas.last().isEmpty())
        linhas.removeLast();
    qsizetype grupo = -1;
    for (qsizetype i = 0; i < linhas.size(); ++i) {
        const QString limpa = linhas.at(i).trimmed();
        if (limpa == grupoDosPadroes) {
            grupo = i;
            continue;
        }
        if (limpa.startsWith(QLatin1Char('[')) && grupo >= 0)
            break;
        if (grupo >= 0 && limpa.startsWith(QLatin1String(tipoDoEsquema))
            && limpa.mid(qsizetype(qstrlen(tipoDoEsquema))).trimmed().startsWith(QLatin1Char('='))) {
            linhas[i] = chave;
            return linhas;
        }
    }
    if (grupo < 0) {
        if (!linhas.isEmpty())
            linhas.append(QString());
        linhas.append(grupoDosPadroes);
        grupo = linhas.size() - 1;
    }
    linhas.insert(grupo + 1, chave);
    return linhas;
}

} // namespace

Pastas Pastas::doAmbiente()
{
    const QString casa = QDir::homePath();
    return {pastaDoAmbiente("XDG_CONFIG_HOME", casa + QStringLiteral("/.config")),
            pastasDoAmbiente("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg")),
            pastaDoAmbiente("XDG_DATA_HOME", casa + QStringLiteral("/.local/share")),
            pastasDoAmbiente("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"))};
}

bool temManipulador(const Pastas &pastas)
{
    QStringList listas{pastas.configuracaoDoUsuario + QStringLiteral("/mimeapps.list")};
    for (const QString &pasta : pastas.configuracaoDoSistema)
        listas.append(pasta + QStringLiteral("/mimeapps.list"));
    for (const QString &pasta : pastasDeAplicativos(pastas))
        listas.append(pasta + QStringLiteral("/mimeapps.list"));
    for (const QString &lista : listas) {
        for (const QString &entrada : padroesEm(lista)) {
            if (entradaUtilizavel(pastas, entrada))
                return true;
        }
    }
    return entradaUtilizavel(pastas, QStringLiteral("corvane.desktop"));
}

bool registrarSeFaltar(const Pastas &pastas, const QString &programa)
{
    if (temManipulador(pastas) || !QFileInfo(programa).isAbsolute())
        return false;
    QString exec = programa;
    exec.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    const QByteArray entrada = "[Desktop Entry]\n"
                               "Type=Application\n"
                               "Name=Corvane\n"
                               "Exec=\"" + exec.toUtf8() + "\" %u\n"
                               "Icon=corvane\n"
                               "Terminal=false\n"
                               "NoDisplay=true\n"
                               "MimeType=x-scheme-handler/corvane;\n";
    const QString nome = QString::fromLatin1(entradaLocal);
    if (!escrever(pastas.dadosDoUsuario + QStringLiteral("/applications/") + nome, entrada))
        return false;
    const QString lista = pastas.configuracaoDoUsuario + QStringLiteral("/mimeapps.list");
    return escrever(lista, comPadrao(linhasDe(lista), nome).join(QLatin1Char('\n')).toUtf8() + '\n');
}

} // namespace RegistroDoEsquema
