#include "servicos/PoolDeTrabalho.h"

#include <QThreadPool>

QThreadPool *PoolDeTrabalho::pool()
{
    static QThreadPool *const trabalho = [] {
        auto *novo = new QThreadPool; // lives as long as the program; its threads end with it
        novo->setObjectName(QStringLiteral("trabalho"));
        return novo;
    }();
    return trabalho;
}

void PoolDeTrabalho::limitarPinturaEmFios()
{
    QThreadPool::globalInstance()->setMaxThreadCount(1);
}
