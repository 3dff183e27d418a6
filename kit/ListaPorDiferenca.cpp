#include "ListaPorDiferenca.h"

#include <QHash>

#include <algorithm>

std::optional<QList<ListaPorDiferenca::Passo>> ListaPorDiferenca::passos(const QStringList &atuais,
                                                                          const QStringList &novas)
{
    QHash<QString, int> indiceNovo;
    indiceNovo.reserve(novas.size());
    for (int i = 0; i < novas.size(); ++i) {
        if (indiceNovo.contains(novas.at(i)))
            return std::nullopt;
        indiceNovo.insert(novas.at(i), i);
    }
    QList<Passo> resultado;

    // The rows that stay, in their current order, as their indices in the new listing.
    QList<int> alvo;
    alvo.reserve(atuais.size());
    QList<bool> fica(atuais.size(), false);
    QList<bool> mantida(novas.size(), false);
    for (int i = 0; i < atuais.size(); ++i) {
        const auto achada = indiceNovo.constFind(atuais.at(i));
        if (achada == indiceNovo.cend())
            continue;
        if (mantida.at(*achada))
            return std::nullopt; // a key repeated in the current rows
        mantida[*achada] = true;
        fica[i] = true;
        alvo.append(*achada);
    }

    // Removals in runs, last run first, so earlier rows keep their indices.
    for (int i = int(atuais.size()) - 1; i >= 0;) {
        if (fica.at(i)) {
            --i;
            continue;
        }
        int inicio = i;
        while (inicio > 0 && !fica.at(inicio - 1))
            --inicio;
        resultado.append({Passo::Tipo::remover, inicio, i, 0});
        i = inicio - 1;
    }

    // The longest run of kept rows already in the new order stays put; only the others move.
    const int n = int(alvo.size());
    QList<int> caudas; // per length, the index in `alvo` of the smallest last element
    QList<int> anterior(n, -1);
    for (int i = 0; i < n; ++i) {
        const auto lugar = std::lower_bound(caudas.begin(), caudas.end(), alvo.at(i),
                                            [&alvo](int indice, int valor) { return alvo.at(indice) < valor; });
        const auto k = lugar - caudas.begin();
        if (k > 0)
            anterior[i] = caudas.at(k - 1);
        if (lugar == caudas.end())
            caudas.append(i);
        else
            *lugar = i;
    }
    if (n - caudas.size() > maximoDeMovimentos)
        return std::nullopt;
    QList<bool> noLugar(std::max(n, 0), false); // std::max: GCC 12 cannot see n >= 0 and warns
    for (int i = caudas.isEmpty() ? -1 : caudas.constLast(); i >= 0; i = anterior.at(i))
        noLugar[i] = true;
    QList<int> moveis;
    for (int i = 0; i < n; ++i) {
        if (!noLugar.at(i))
            moveis.append(alvo.at(i));
    }
    std::sort(moveis.begin(), moveis.end());
    // In the new order, each moving row goes right after the kept row that precedes it there,
    // which is already in its place (it stays put or moved before).
    QList<int> atual = alvo;
    for (const int m : std::as_const(moveis)) {
        const int de = int(atual.indexOf(m));
        int antecessor = m - 1;
        while (antecessor >= 0 && !mantida.at(antecessor))
            --antecessor;
        int para = 0;
        if (antecessor >= 0) {
            const int lugarDoAntecessor = int(atual.indexOf(antecessor));
            para = de < lugarDoAntecessor ? lugarDoAntecessor : lugarDoAntecessor + 1;
        }
        if (para != de) {
            resultado.append({Passo::Tipo::mover, de, de, para});
            atual.move(de, para);
        }
    }

    // Insertions in runs, front to back: every row before a run is already the new one.
    for (int i = 0; i < novas.size();) {
        if (mantida.at(i)) {
            ++i;
            continue;
        }
        int fim = i;
        while (fim + 1 < novas.size() && !mantida.at(fim + 1))
            ++fim;
        resultado.append({Passo::Tipo::inserir, i, fim, 0});
        i = fim + 1;
    }
    return resultado;
}
