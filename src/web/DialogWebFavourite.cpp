#include "web/DialogWebFavourite.h"

#include "widgets/WindowTextFit.h"
#include "ui_DialogWebFavourite.h"

DialogWebFavourite::DialogWebFavourite(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DialogWebFavourite)
{
    ui->setupUi(this);
    WindowTextFit::install(this);
}

DialogWebFavourite::~DialogWebFavourite()
{
    delete ui;
}

void DialogWebFavourite::setTitle(const QString &text)
{
    title = text;
    ui->lineEditTitle->setText(text);
}

void DialogWebFavourite::setUrl(const QString &text)
{
    url = text;
    ui->lineEditUrl->setText(text);
}

QString DialogWebFavourite::getTitle()
{
    title = ui->lineEditTitle->text().trimmed();
    return title;
}

QString DialogWebFavourite::getUrl()
{
    url = ui->lineEditUrl->text().trimmed();
    return url;
}
