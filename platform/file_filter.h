#pragma once

#include <QStringList>
#include <string>

namespace platform {

// Turns a filter in the framework form "Description|*.ext;*.b|Description|*.*||" into the
// name filters of a QFileDialog ("Description (*.ext *.EXT *.b *.B)", ...). Linux file names
// are case sensitive where the framework's were not, so each pattern also matches its lower-
// and upper-case spellings; "*.*" becomes "*" so that names without a dot are listed too.
// A description without its pattern is dropped; no usable pair gives "All files (*)".
QStringList ConvertFileFilter(const std::string& filter);

// The settings key under which the filter last chosen among this filter's entries is kept: the
// letters and digits of its first description ("AllModelFiles"), so that every dialog offering
// the same list shares one memory; "Files" when there is none.
std::string FilterMemoryKey(const std::string& filter);

}  // namespace platform
