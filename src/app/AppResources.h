#ifndef APPRESOURCES_H
#define APPRESOURCES_H

// The compiled-in images (":/images/<name>") live in the static GUI library; a program or test
// registers them once with initialize() before it builds a window.
class AppResources
{
public:
    static void initialize();
};

#endif // APPRESOURCES_H
