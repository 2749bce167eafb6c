#include "editor/Form1.h"

#include <QPointer>

namespace tintaro {

namespace {
QPointer<Form1> g_defaultInstance;
} // namespace

Form1* Form1::defaultInstance()
{
    if (!g_defaultInstance)
        g_defaultInstance = new Form1;
    return g_defaultInstance;
}

Form1::Form1(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("MSN6 Tintaro Zelkor"));
    setFixedSize(441, 454);
}

Form1::~Form1() = default;

void Form1::Show()
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    show();
}

void Form1::Form_Load() {}

} // namespace tintaro
