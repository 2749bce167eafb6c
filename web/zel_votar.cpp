#include "web/zel_votar.h"

#include <QPointer>

namespace tintaro {

namespace {
QPointer<zel_votar> g_defaultInstance;
} // namespace

zel_votar* zel_votar::defaultInstance()
{
    if (!g_defaultInstance)
        g_defaultInstance = new zel_votar;
    return g_defaultInstance;
}

zel_votar::zel_votar(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Votame"));
    setFixedSize(145, 89);
}

void zel_votar::Show()
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    show();
}

void zel_votar::Form_Load() {}

} // namespace tintaro
