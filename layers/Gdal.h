// GDAL for the layer commands: the drivers registered once, GDAL's own
// messages kept off the terminal while a layer is read or written (the
// commands say in Spanish what went wrong), and the error every layer
// operation throws.
#pragma once

#include <stdexcept>
#include <string>

namespace trevalco::layers {

// A layer could not be read, identified or written; the text is the
// user's message (Spanish).
class LayerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A request the arguments make impossible (the user changes the command):
// the layer's CRS is missing, the target is the source's datum, KML with a
// datum other than WGS 84, several layers and none named.
class LayerUsageError : public LayerError {
public:
    using LayerError::LayerError;
};

// Registers GDAL's drivers the first time it is called.
void RegisterDrivers();

// While it lives, GDAL's warnings and errors are not printed; the last one
// is kept for the message of a failure.
class QuietGdal {
public:
    QuietGdal();
    ~QuietGdal();
    QuietGdal(const QuietGdal&) = delete;
    QuietGdal& operator=(const QuietGdal&) = delete;
};

// GDAL's last error message ("" when none), to follow a Spanish statement.
std::string LastGdalMessage();

}  // namespace trevalco::layers
