order
R
U
