order
--alg
M2 U M2 U2 M2 U M2
