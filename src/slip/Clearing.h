#pragma once

class SettlementSlip;

// Clear: every box, 1 to 58 in order, gets its text after Clear from the
// field catalogue. Reads nothing and cannot fail.
void clearSlip(SettlementSlip &slip);
