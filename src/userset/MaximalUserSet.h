#pragma once

class UserSet;

/// The largest user set the generator accepts, built deterministically:
/// 20 groups of 15 programs of 6 levels of 6 instruments, cycling through
/// every instrument kind of the built-in catalogue, every cut and coag mode
/// and every activation. Tests, the benchmark and the toolbox share it.
namespace MaximalUserSet {

/// A new, unregistered-with-any-store set of `userSetType`; the caller owns it.
UserSet *build(int userSetType = 2);

} // namespace MaximalUserSet
