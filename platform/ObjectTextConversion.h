#pragma once

class TStream;

// Converts a binary component stream (from its signature) at Input's
// position into its text form ("object" ... "end") written at Output's
// position. Raises EReadError for a stream that is truncated, corrupt,
// nested too deeply or holds a name or value the text form cannot carry
// back unchanged.
void ObjectBinaryToText(TStream& Input, TStream& Output);

// Converts the text form at Input's position into a binary component
// stream with its signature, written at Output's position. Raises
// EParserError, naming the line, for text that is not a component.
// Floats are carried at double precision.
void ObjectTextToBinary(TStream& Input, TStream& Output);
