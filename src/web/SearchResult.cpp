#include "web/SearchResult.h"

SearchResult::SearchResult()
    : QObject(nullptr)
{
}
