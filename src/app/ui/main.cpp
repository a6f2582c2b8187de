#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "app/session.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("kestrel");
    QMainWindow window;
    window.setWindowTitle("kestrel 5.1 ");
    window.setCentralWidget(new QLabel("kestrel"));
    window.show();
    return QApplication::exec();
}
