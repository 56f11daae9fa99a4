#pragma once

/// Publishes the singletons and types the QML scenes use; called once before
/// the root scene is loaded.
namespace QmlRegistration {
void registerTypes();
}
