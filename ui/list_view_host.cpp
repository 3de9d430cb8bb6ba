#include "ui/list_view_host.h"

namespace {
ListViewHost current;
}  // namespace

void setListViewHost(const ListViewHost& host) { current = host; }
const ListViewHost& listViewHost() { return current; }
