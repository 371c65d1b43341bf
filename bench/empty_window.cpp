// The yardsticks for the main window's start: the least a Qt Widgets program can do - an
// empty window of the main window's size, painted once, linked against Qt Widgets alone -
// and ("label") the same window showing one line of Chinese, which is what any window of
// ours pays at least for its fonts.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <cstring>

namespace {

class ExitOnFirstPaint : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QTimer::singleShot(0, this, [] { std::_Exit(0); }); }
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ExitOnFirstPaint window;
    window.resize(624, 180);
    if (argc > 1 && std::strcmp(argv[1], "label") == 0)
        (new QLabel(QStringLiteral("输入几室几厅 实际面积 装修类型即可预算装修报价"), &window))->move(8, 8);
    window.show();
    return QApplication::exec();
}
