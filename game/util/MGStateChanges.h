#pragma once
// State changes written in data files as triples of state id, type name
// ("boolean", "number", "string") and value text, one after the other in a
// "|"-separated list: the done states of cut-scenes and the state changes of
// interview answers.
class VoVectorString;

// Applies every whole triple in order, telling the state listeners of each
// once: an existing state is set from the value text (its type stays), a
// missing one is made with the type named (a name of none of the three is
// refused and logged by the state manager). Returns the number of entries
// left over after the last whole triple (0, 1 or 2), which are not applied.
int MGApplyStateChanges(const VoVectorString& aTriples);
