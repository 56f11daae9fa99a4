// Gives the resource library an object of its own; the resources themselves
// are added by qt_add_resources and registered at start-up automatically.
namespace kelvara_data_anchor {
int anchor = 0;
}
